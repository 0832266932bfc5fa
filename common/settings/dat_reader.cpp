/*
 * dat_reader.cpp - fills the settings record from a ZORVAN.DAT: gzip (or
 * plain) text, one setting a line as a key letter, a separator and the value.
 */
#include "settings.h"

#include <stdlib.h>
#include <zlib.h>

namespace zv {

namespace {

/* 8,198 characters, the line feed and the terminator */
enum { DATLINELEN = 8200 };

void StoreFlag(AUTORUNINF *ari, char letter, long n)
{
    signed char f = FlagFrom(n);
    switch (letter) {
    case 'D': ari->flgForceViewer = f; break;
    case 'F': ari->flgTopMost = f; break;
    case 'G': ari->flgDirFix = f; break;
    case 'H': ari->flgBrowseLocalFile = f; break;
    case 'M': ari->flgHideSplash = f; break;
    case 'N': ari->flgAlternateSplash = f; break;
    case 'f': ari->flgSimpleAccept = f; break;
    }
}

/*
 * Applies one line without its line feed.  *ownText is the legal notice
 * this call made before: a later 'a' line replaces it, and no one else can
 * hold it yet, so it is released rather than left behind.
 */
void ApplyLine(AUTORUNINF *ari, const char *line, char **ownText)
{
    size_t len = strlen(line);
    if (len == 0)
        return;

    char letter = line[0];
    const char *value = len >= 2 ? line + 2 : "";
    long n = strtol(value, NULL, 10);

    switch (letter) {
    case 'A': strcpy_s(ari->strDocument, sizeof ari->strDocument, value); break;
    case 'B': strcpy_s(ari->strDefaultAction, sizeof ari->strDefaultAction, value); break;
    case 'C': strcpy_s(ari->strViewer, sizeof ari->strViewer, value); break;
    case 'I': strcpy_s(ari->strCopyright, sizeof ari->strCopyright, value); break;
    case 'L': strcpy_s(ari->strCDTitle, sizeof ari->strCDTitle, value); break;
    case 'P': strcpy_s(ari->strSplash, sizeof ari->strSplash, value); break;
    case 'T': strcpy_s(ari->strMusic, sizeof ari->strMusic, value); break;
    case 'Z': strcpy_s(ari->strLNCaption, sizeof ari->strLNCaption, value); break;
    case 'e': strcpy_s(ari->strEULA, sizeof ari->strEULA, value); break;

    case 'E': ari->uWindowMode = (int)n; break;
    case 'Q': ari->uSplashLen = (unsigned)n; break;
    case 'R': ari->uSplashMode = (unsigned)n; break;
    case 'S': ari->uPauseLen = (unsigned)n; break;
    case 'U': ari->uMusicLen = (unsigned)n; break;
    case 'X': ari->nOffsetAngle = (int)n; break;
    case 'Y': ari->uOffsetPercent = (unsigned)n; break;
    case 'c': ari->uImageWidth = (int)n; break;
    case 'd': ari->uImageHeight = (int)n; break;

    case 'D': case 'F': case 'G': case 'H': case 'M': case 'N': case 'f':
        StoreFlag(ari, letter, n);
        break;

    case 'a': {
        char *copy = _strdup(value);
        if (!copy)
            break;   /* like a text that does not fit: the old one stays */
        free(*ownText);
        *ownText = copy;
        ari->pstrLNText = copy;
        ari->uLNTextLen = (unsigned)strlen(copy);
        break;
    }
    }
}

void FinishRecord(AUTORUNINF *ari)
{
    const char *mode = ari->uWindowMode == SW_SHOWMAXIMIZED   ? "Maximized"
                       : ari->uWindowMode == SW_SHOWMINIMIZED ? "Minimized"
                                                              : "Normal";
    strcpy_s(ari->strWinMode, sizeof ari->strWinMode, mode);
    ari->flgTimeOption = 0;
    if (zvFlavor.fDecodeDatCopyright)
        PreProcess(ari->strCopyright, sizeof ari->strCopyright);
}

} // namespace

/*
 * 1 when the file was read to its end.  A damaged stream ends the reading
 * where the damage is; the lines before it stay applied, but the result is
 * 0 so that the caller does not take the file as complete.
 */
int ReadZorvanDat(const char *path, AUTORUNINF *ari)
{
    if (!path)
        return 0;

    char *line = (char *)malloc(DATLINELEN);
    if (!line)
        return 0;

    gzFile gz = gzopen(path, "rb");
    if (!gz) {
        free(line);
        return 0;
    }

    char *ownText = NULL;
    int skipping = 0;   /* inside a line too long for the buffer */

    for (;;) {
        /* gzgets puts its terminator in the last byte only when the buffer
         * filled up, which tells a long line from a line with a NUL in it */
        line[DATLINELEN - 1] = 1;
        if (!gzgets(gz, line, DATLINELEN))
            break;
        int full = line[DATLINELEN - 1] == '\0' && line[DATLINELEN - 2] != '\n';

        if (skipping || full) {
            skipping = full;
            continue;
        }

        size_t len = strlen(line);
        if (len > 0 && line[len - 1] == '\n')
            line[len - 1] = '\0';
        ApplyLine(ari, line, &ownText);
    }

    int err = Z_OK;
    gzerror(gz, &err);
    gzclose(gz);
    free(line);

    FinishRecord(ari);
    return err == Z_OK ? 1 : 0;
}

} // namespace zv
