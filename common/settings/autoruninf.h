/*
 * autoruninf.h - AUTORUNINF, the one record that holds every setting of a
 * disc start.  Each program keeps exactly one instance in static storage.
 *
 * Flags are signed one-bit fields: a set flag reads as -1.  Assign them
 * through FlagFrom() (bit 0 of a number) or the constants 0 and -1; the
 * zero-width fields keep the three flag bytes where the writers expect them.
 */
#ifndef ZV_AUTORUNINF_H
#define ZV_AUTORUNINF_H

#include <windows.h>

namespace zv {

enum {
    ARI_PATHLEN = 512,      /* every path and command field */
    ARI_SHORTLEN = 64,      /* label, action, title, caption */
    ARI_WINMODELEN = 16,
    ARI_LOGFILELEN = 260,
    LEGALNOTICETEXTLEN = 16380
};

struct AUTORUNINF {
    char strInfFile[ARI_PATHLEN];
    char strOpen[ARI_PATHLEN];
    char strIcon[ARI_PATHLEN];
    int uIcon;
    char strLabel[ARI_SHORTLEN];
    char strAction[ARI_SHORTLEN];
    DWORD uContentFlags;
    char *pstrShellVerb;
    char strDocument[ARI_PATHLEN];
    char strViewer[ARI_PATHLEN];
    int uWindowMode;
    char strDefaultAction[ARI_PATHLEN];
    signed char flgForceViewer : 1;
    signed char flgDirFix : 1;
    signed char flgLogging : 1;
    signed char flgTopMost : 1;
    signed char flgTimeOption : 1;
    signed char flgHideSplash : 1;
    signed char flgAlternateSplash : 1;
    signed char : 0;
    signed char flgBrowseLocalFile : 1;
    signed char flgSimpleAccept : 1;
    char strCopyright[ARI_PATHLEN];
    char strCDTitle[ARI_SHORTLEN];
    char strSplash[ARI_PATHLEN];
    unsigned uSplashLen;
    unsigned uPauseLen;
    char strMusic[ARI_PATHLEN];
    unsigned uMusicLen;
    int uImageWidth;
    int uImageHeight;
    int nOffsetAngle;
    unsigned uOffsetPercent;
    char strLNCaption[ARI_SHORTLEN];
    char *pstrLNText;
    unsigned uLNTextLen;
    char strEULA[ARI_PATHLEN];
    DWORD dwSplashTime;
    DWORD dwPauseTime;
    DWORD dwSleepTime;
    unsigned uSplashMode;
    char strWinMode[ARI_WINMODELEN];
    signed char flgComments : 1;
    HANDLE hLogFile;
    char strLogFile[ARI_LOGFILELEN];
    char *pstrDatFile;
};

/* bits of uContentFlags */
enum { CONTENT_MUSIC = 1, CONTENT_PICTURES = 2, CONTENT_VIDEO = 8 };

/* A flag from a number read from a file: bit 0 decides, so 1, -1 and
 * 4294967295 set it and 0 and 2 clear it. */
inline signed char FlagFrom(long n) { return (signed char)-(signed char)(n & 1); }

} // namespace zv

#endif
