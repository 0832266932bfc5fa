/*
 * inf_reader.cpp - fills the settings record from an AUTORUN.INF: Windows'
 * [AutoRun] and [Content] parts, the OPEN line's --inf and --dat, and the
 * data part from [Zorvan Data] or the time section of the moment.
 */
#include "settings.h"

#include <stdio.h>
#include <stdlib.h>

namespace zv {

const char szScrambleKey[] = "0Ambrel1Corvinta2Dusmeral3Falkenrode4Gorvint5Hestama6Jorlan";

void (WINAPI *pfnGetLocalTime)(LPSYSTEMTIME) = GetLocalTime;

namespace {

enum {
    VALUELEN = 512,          /* every value is read through a buffer of this size */
    SECTIONLEN = 64,
    SECTIONNAMESLEN = 1024,
    SCRAMBLEKEYLEN = sizeof szScrambleKey - 1,
    LNBLOCKMAX = LEGALNOTICETEXTLEN + 4
};

static_assert(sizeof szScrambleKey - 1 == 59, "the scrambling key has 59 characters");

const char szAutoRun[] = "AUTORUN";
const char szContent[] = "CONTENT";
const char szZorvanData[] = "Zorvan Data";
const char szLegalNoticeText[] = "LegalNoticeText";
const char szDefaultOpen[] = "ZORVAN.EXE";
const char szInfName[] = "AUTORUN.INF";

int UpperAscii(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

int StartsWithNoCase(const char *text, const char *prefix)
{
    for (; *prefix; prefix++, text++)
        if (UpperAscii((unsigned char)*text) != UpperAscii((unsigned char)*prefix))
            return 0;
    return 1;
}

int EqualsNoCase(const char *a, const char *b) { return StartsWithNoCase(a, b) && a[strlen(b)] == '\0'; }

/* Any character gives some value: scrambled input is not validated. */
unsigned HexValue(unsigned char c) { return c <= '9' ? c - '0' : (c & ~0x20u) - 55u; }

/*
 * "%%" and digit pairs back to the plain text, in place (the plain text is
 * less than half as long).  A last digit without its partner is dropped, so
 * nothing past the value is read.
 */
void Unscramble(char *value)
{
    if (value[0] != '%' || value[1] != '%')
        return;

    const unsigned char *p = (const unsigned char *)value + 2;
    size_t i = 0;

    for (; p[0] && p[1]; p += 2, i++) {
        unsigned b = ((HexValue(p[0]) << 4) + HexValue(p[1])) & 0xFFu;
        if (b == 0x80)
            b = 0;
        value[i] = (char)(b ^ (unsigned char)szScrambleKey[i % SCRAMBLEKEYLEN]);
    }
    value[i] = '\0';
}

void ReadValue(const char *ini, const char *section, const char *key, const char *def, char (&value)[VALUELEN])
{
    GetPrivateProfileStringA(section, key, def, value, VALUELEN, ini);
    value[VALUELEN - 1] = '\0';
    Unscramble(value);
}

/*
 * Stores value in field unless it does not fit; the expansion goes through
 * its own buffer so that a too-long result also leaves the field alone.
 * Returns 1 when the field was written.
 */
int StoreText(char *field, size_t width, const char *value, int expand)
{
    if (!expand)
        return strcpy_s(field, width, value) == 0;

    char expanded[VALUELEN];
    DWORD n = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    if (n == 0 || n > sizeof expanded)
        return 0;
    expanded[sizeof expanded - 1] = '\0';
    return strcpy_s(field, width, expanded) == 0;
}

int ReadText(const char *ini, const char *section, const char *key, const char *def, char *field, size_t width,
             int expand = 0)
{
    char value[VALUELEN];
    ReadValue(ini, section, key, def, value);
    return StoreText(field, width, value, expand);
}

int ReadNumber(const char *ini, const char *section, const char *key, int def)
{
    return (int)GetPrivateProfileIntA(section, key, def, ini);
}

signed char ReadFlag(const char *ini, const char *section, const char *key, int def)
{
    return FlagFrom(ReadNumber(ini, section, key, def));
}

/* --- where the file is --- */

/*
 * The private-profile functions look for a bare name in the Windows folder,
 * so a relative path is made absolute first; its short form is kept when
 * the system can give one.
 */
int TakeGivenPath(const char *path, AUTORUNINF *ari)
{
    char full[ARI_PATHLEN];
    char shortPath[ARI_PATHLEN];

    DWORD n = GetFullPathNameA(path, sizeof full, full, NULL);
    if ((n == 0 || n >= sizeof full) && strcpy_s(full, sizeof full, path) != 0)
        return 0;

    n = GetShortPathNameA(full, shortPath, sizeof shortPath);
    if (n == 0 || n >= sizeof shortPath)
        return strcpy_s(ari->strInfFile, sizeof ari->strInfFile, full) == 0;
    return strcpy_s(ari->strInfFile, sizeof ari->strInfFile, shortPath) == 0;
}

void TakeDefaultPath(AUTORUNINF *ari)
{
    char folder[ARI_PATHLEN];
    char path[ARI_PATHLEN + sizeof szInfName];
    DWORD n;

    folder[0] = '\0';
    if (zvFlavor.fDefaultBesideProgram) {
        n = GetModuleFileNameA(NULL, folder, sizeof folder);
        if (n == 0 || n >= sizeof folder)
            folder[0] = '\0';
        folder[sizeof folder - 1] = '\0';
        char *slash = strrchr(folder, '\\');
        if (slash)
            slash[1] = '\0';
        else
            folder[0] = '\0';
    } else {
        n = GetCurrentDirectoryA(sizeof folder, folder);
        if (n == 0 || n >= sizeof folder)
            folder[0] = '\0';
        else if (folder[n - 1] != '\\')
            strcat_s(folder, sizeof folder, "\\");
    }

    snprintf(path, sizeof path, "%s%s", folder, szInfName);
    if (strcpy_s(ari->strInfFile, sizeof ari->strInfFile, path) != 0)
        strcpy_s(ari->strInfFile, sizeof ari->strInfFile, szInfName);
}

void LocateInfFile(const char *path, AUTORUNINF *ari)
{
    if (path && *path && FileExists(path) && TakeGivenPath(path, ari))
        return;
    TakeDefaultPath(ari);
}

/* --- [AutoRun] and [Content] --- */

void AppendPart(char (&text)[VALUELEN], const char *part)
{
    char piece[VALUELEN + 1];
    snprintf(piece, sizeof piece, "=%s", part);
    strcat_s(text, sizeof text, piece);
}

void ReadShellVerb(const char *ini, AUTORUNINF *ari)
{
    char verb[VALUELEN];
    char menu[VALUELEN];
    char command[VALUELEN];
    char key[VALUELEN + 32];
    char commandKey[VALUELEN + 48];

    ReadValue(ini, szAutoRun, "shell", "", verb);
    if (!verb[0]) {
        ari->pstrShellVerb = NULL;
        return;
    }
    snprintf(key, sizeof key, "%s\\%s", "shell", verb);
    snprintf(commandKey, sizeof commandKey, "%s\\command", key);
    ReadValue(ini, szAutoRun, key, "", menu);
    ReadValue(ini, szAutoRun, commandKey, "", command);
    AppendPart(verb, menu);
    AppendPart(verb, command);
    ari->pstrShellVerb = _strdup(verb);
}

void ReadIcon(const char *ini, AUTORUNINF *ari)
{
    char value[VALUELEN];

    ReadValue(ini, szAutoRun, "icon", "", value);
    char *token = value + strspn(value, ",");
    if (!*token) {
        strcpy_s(ari->strIcon, sizeof ari->strIcon, value);
        ari->uIcon = 0;
        return;
    }
    const char *rest = "";
    char *comma = strchr(token, ',');
    if (comma) {
        *comma = '\0';
        rest = comma + 1;
    }
    strcpy_s(ari->strIcon, sizeof ari->strIcon, token);
    ari->uIcon = atoi(rest);
}

void ReadContent(const char *ini, AUTORUNINF *ari)
{
    static const struct {
        const char *key;
        DWORD bit;
    } kinds[] = { { "MusicFiles", CONTENT_MUSIC }, { "PictureFiles", CONTENT_PICTURES }, { "VideoFiles", CONTENT_VIDEO } };

    ari->uContentFlags = 0;
    for (size_t i = 0; i < sizeof kinds / sizeof kinds[0]; i++) {
        char value[VALUELEN];
        ReadValue(ini, szContent, kinds[i].key, "0", value);
        int c = UpperAscii((unsigned char)value[0]);
        if (c == 'T' || c == 'Y' || atoi(value) != 0)
            ari->uContentFlags |= kinds[i].bit;
    }
}

void ReadAutoRunPart(const char *ini, AUTORUNINF *ari)
{
    ReadText(ini, szAutoRun, "shellexecute", "", ari->strOpen, sizeof ari->strOpen);
    if (!ari->strOpen[0])
        ReadText(ini, szAutoRun, "open", "", ari->strOpen, sizeof ari->strOpen);
    if (!ari->strOpen[0])
        strcpy_s(ari->strOpen, sizeof ari->strOpen, szDefaultOpen);

    if (zvFlavor.fReadShellAndContent)
        ReadShellVerb(ini, ari);
    else
        ari->pstrShellVerb = NULL;

    ReadText(ini, szAutoRun, "label", "", ari->strLabel, sizeof ari->strLabel);
    ReadIcon(ini, ari);
    ReadText(ini, szAutoRun, "action", "", ari->strAction, sizeof ari->strAction);

    if (zvFlavor.fReadShellAndContent)
        ReadContent(ini, ari);
}

/*
 * Follows --inf or --dat of the OPEN line; returns 1 with the result in
 * *result when one of them was there.  The runtime's own options may still
 * be in the table (it reads [AutoRun] only under --test): they are set
 * aside for the parse, so only what OPEN itself says is followed, and the
 * runtime frees its own values afterwards as usual.
 */
int FollowOpen(AUTORUNINF *ari, int *result)
{
    CMDLINEOPTION own[CLO_COUNT];
    int followed = 1;

    memcpy(own, aclp, sizeof own);
    for (int i = 0; i < CLO_COUNT; i++) {
        aclp[i].flgPresent = 0;
        aclp[i].value.psz = NULL;
    }

    CMDLINEOPTION *table = ParseCommandLine(ari, ari->strOpen, 0);
    if (table[CLO_INF].flgPresent) {
        *result = ReadAutoRunInf(table[CLO_INF].value.psz, ari, 1);
    } else if (table[CLO_DAT].flgPresent) {
        const char *dat = table[CLO_DAT].value.psz;
        ari->pstrDatFile = dat ? _strdup(dat) : NULL;
        *result = ari->pstrDatFile ? ReadZorvanDat(ari->pstrDatFile, ari) : 0;
    } else {
        followed = 0;
    }
    FreeCommandLine(table);

    memcpy(aclp, own, sizeof own);
    return followed;
}

/* --- the data part --- */

/*
 * The first section named start-end (hour x 100 + minute) that holds the
 * moment becomes the data section.  Names with an empty start or end, and
 * names too long for the section buffer, are not time sections.
 */
void ChooseTimeSection(const char *ini, char (&section)[SECTIONLEN])
{
    SYSTEMTIME st;
    char names[SECTIONNAMESLEN];

    memset(&st, 0, sizeof st);
    pfnGetLocalTime(&st);
    int now = st.wHour * 100 + st.wMinute;

    memset(names, 0, sizeof names);
    DWORD got = GetPrivateProfileSectionNamesA(names, sizeof names, ini);
    if (got > sizeof names - 2)
        got = sizeof names - 2;
    names[sizeof names - 2] = names[sizeof names - 1] = '\0';

    for (const char *p = names; p < names + got && *p; p += strlen(p) + 1) {
        char name[SECTIONLEN];
        if (!strchr(p, '-') || strcpy_s(name, sizeof name, p) != 0)
            continue;
        char *dash = strchr(name, '-');
        *dash = '\0';
        if (!name[0] || !dash[1])
            continue;
        int start = atoi(name);
        int end = atoi(dash + 1);
        if (start <= now && now < end) {
            strcpy_s(section, sizeof section, p);
            return;
        }
    }
}

void ReadSplash(const char *ini, const char *section, AUTORUNINF *ari)
{
    int expand = zvFlavor.fExpandEnvironment;

    ari->flgHideSplash = ReadFlag(ini, section, "HideSplash", 0);
    if (ari->flgHideSplash) {
        ari->strSplash[0] = '\0';
        return;
    }

    ReadText(ini, section, "Splash", "", ari->strSplash, sizeof ari->strSplash, expand);
    if (EqualsNoCase(ari->strSplash, "(NONE)")) {
        ari->flgHideSplash = -1;
        ari->strSplash[0] = '\0';
    } else {
        ari->uImageWidth = ReadNumber(ini, section, "ImageWidth", 0);
        ari->uImageHeight = ReadNumber(ini, section, "ImageHeight", 0);
        ari->nOffsetAngle = ReadNumber(ini, section, "OffsetAngle", 0);
        unsigned percent = (unsigned)ReadNumber(ini, section, "OffsetPercent", 0);
        ari->uOffsetPercent = percent > 100 ? 100 : percent;
    }
    ari->uSplashMode = (unsigned)ReadNumber(ini, section, "SplashMode", 0);
}

/* Pieces go into the block while they fit its capacity; a piece ending in
 * a backslash continues under the next numbered key. */
void ReadLegalNoticePieces(const char *ini, char *text, size_t block, unsigned capacity)
{
    char key[SECTIONLEN];
    int n = 0;

    strcpy_s(key, sizeof key, szLegalNoticeText);
    for (;;) {
        char raw[VALUELEN];
        char piece[VALUELEN];

        GetPrivateProfileStringA(szZorvanData, key, "", raw, sizeof raw, ini);
        raw[sizeof raw - 1] = '\0';
        size_t len = strlen(raw);
        int more = len > 0 && raw[len - 1] == '\\';
        if (more) {
            raw[len - 1] = '\0';
            n++;
            snprintf(key, sizeof key, "_%s%d", szLegalNoticeText, n);
        }
        Unscramble(raw);

        DWORD got = ExpandEnvironmentStringsA(raw, piece, sizeof piece);
        if (got == 0 || got > sizeof piece)
            return;
        piece[sizeof piece - 1] = '\0';
        if (strlen(text) + strlen(piece) > capacity)
            return;
        strcat_s(text, block, piece);
        if (!more)
            return;
    }
}

void ReadLegalNotice(const char *ini, AUTORUNINF *ari)
{
    ReadText(ini, szZorvanData, "LegalNoticeCaption", ari->strCDTitle, ari->strLNCaption, sizeof ari->strLNCaption,
             zvFlavor.fExpandEnvironment);
    ReadText(ini, szZorvanData, "EULA", "", ari->strEULA, sizeof ari->strEULA);

    if (ari->strEULA[0]) {
        ari->pstrLNText = NULL;
        ari->uLNTextLen = 0;
        ari->flgSimpleAccept = ReadFlag(ini, szZorvanData, "SimpleAccept", 0);
        return;
    }

    ari->uLNTextLen = (unsigned)ReadNumber(ini, szZorvanData, "LegalNoticeTextLen", 512);
    if (ari->uLNTextLen == 0) {
        ari->pstrLNText = NULL;
        ari->strLNCaption[0] = '\0';
        return;
    }

    size_t block;
    if (ari->uLNTextLen > LEGALNOTICETEXTLEN) {
        ari->uLNTextLen = LEGALNOTICETEXTLEN;
        block = LNBLOCKMAX;
    } else {
        block = ari->uLNTextLen + 4;
    }
    ari->pstrLNText = (char *)calloc(block, 1);
    if (!ari->pstrLNText) {
        ari->strLNCaption[0] = '\0';
        return;
    }
    ReadLegalNoticePieces(ini, ari->pstrLNText, block, ari->uLNTextLen);
}

void ReadDataPart(const char *ini, AUTORUNINF *ari)
{
    char section[SECTIONLEN];
    int expand = zvFlavor.fExpandEnvironment;

    strcpy_s(section, sizeof section, szZorvanData);

    /* an unchanged field holds decoded text already */
    if (ReadText(ini, szZorvanData, "Copyright", zvFlavor.pszDefaultCopyright, ari->strCopyright,
                 sizeof ari->strCopyright))
        PreProcess(ari->strCopyright, sizeof ari->strCopyright);
    ari->flgDirFix = ReadFlag(ini, szZorvanData, "DirFix", 1);
    ari->flgTopMost = ReadFlag(ini, szZorvanData, "TopMost", 1);
    ari->flgBrowseLocalFile = ReadFlag(ini, szZorvanData, "BrowseLocalFile", 0);
    ari->flgTimeOption = ReadFlag(ini, szZorvanData, "TimeOption", 0);
    if (ari->flgTimeOption)
        ChooseTimeSection(ini, section);

    ReadText(ini, section, "Document", "", ari->strDocument, sizeof ari->strDocument, expand);
    ReadText(ini, section, "Viewer", "", ari->strViewer, sizeof ari->strViewer, expand);
    ari->flgForceViewer = ReadFlag(ini, section, "ForceViewer", 0);
    ReadText(ini, section, "WindowMode", "", ari->strWinMode, sizeof ari->strWinMode);
    if (StartsWithNoCase(ari->strWinMode, "MAX"))
        ari->uWindowMode = SW_SHOWMAXIMIZED;
    else if (StartsWithNoCase(ari->strWinMode, "MIN"))
        ari->uWindowMode = SW_SHOWMINIMIZED;
    else
        ari->uWindowMode = SW_SHOWNORMAL;
    ReadText(ini, section, "DefaultAction", "", ari->strDefaultAction, sizeof ari->strDefaultAction);

    ReadSplash(ini, section, ari);
    ari->flgAlternateSplash = ReadFlag(ini, section, "AlternateSplash", 0);
    ReadText(ini, section, "CDTitle", "Zorvan", ari->strCDTitle, sizeof ari->strCDTitle, expand);
    ReadText(ini, section, "Music", "", ari->strMusic, sizeof ari->strMusic, expand);
    if (ari->strMusic[0])
        ari->uMusicLen = (unsigned)ReadNumber(ini, section, "MusicLen", 5);

    ReadLegalNotice(ini, ari);

    if (ari->flgHideSplash)
        return;
    ari->uSplashLen = (unsigned)ReadNumber(ini, section, "SplashLen", 5);
    ari->uPauseLen = (unsigned)ReadNumber(ini, section, "PauseLen", 0);
}

} // namespace

int ReadAutoRunInf(const char *path, AUTORUNINF *ari, int skipAutoRun)
{
    LocateInfFile(path, ari);
    if (ari->flgLogging)
        Logf(ari, "Reading '%s'...", ari->strInfFile);

    if (!FileExists(ari->strInfFile)) {
        DWORD err = GetLastError();
        if (ari->flgLogging) {
            SetLastError(err);
            LogSysErr(ari, zvFlavor.idFileError, ari->strInfFile);
        } else {
            HWND desktop = GetDesktopWindow();
            SetLastError(err);
            NotifyUserSE(desktop, zvFlavor.idFileError, ari->strInfFile);
        }
        return 0;
    }

    const char *ini = ari->strInfFile;
    if (!skipAutoRun) {
        int result;
        ReadAutoRunPart(ini, ari);
        if (FollowOpen(ari, &result))
            return result;
    }
    ReadDataPart(ini, ari);
    return 1;
}

} // namespace zv
