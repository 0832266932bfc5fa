/*
 * strrep.cpp - the values that fill the two parts of AUTORUN.INF, in the
 * forms the readers take back, and the shell-verb block.
 */
#include "writer_int.h"
#include "asciitext.h"

#include <stdio.h>
#include <stdlib.h>

namespace zv {

enum { QUOTEDLEN = VALUELEN + 2, NUMLEN = 16, NOWLEN = 128 };

static int BlankAt(char c) { return c == ' ' || c == '\t'; }

int QuoteProfileValue(char *dst, size_t size, const char *value)
{
    size_t len = strlen(value);
    /* the reader trims outer blanks and strips one pair of outer quotes */
    int quote = len && (BlankAt(value[0]) || BlankAt(value[len - 1]) ||
                        (len >= 2 && value[0] == '"' && value[len - 1] == '"'));

    if (size == 0)
        return ZV_TOOSMALL;
    if (len + (quote ? 2 : 0) >= size) {
        dst[0] = '\0';
        return ZV_TOOSMALL;
    }
    if (quote)
        snprintf(dst, size, "\"%s\"", value);
    else
        memcpy(dst, value, len + 1);
    return 0;
}

unsigned WindowModeFromText(const char *winMode)
{
    if (StartsWithNoCase(winMode, "max"))
        return 3;
    if (StartsWithNoCase(winMode, "min"))
        return 2;
    return 1;
}

static const char *KeyOrComment(int present, const char *key, const char *comment)
{
    return present ? key : comment;
}

static const char *TrueFalse(DWORD flags, DWORD bit) { return (flags & bit) ? "true" : "false"; }

/* The filled SHELL block, an empty heap text when there is no verb, or
 * NULL when its template or memory failed. */
static char *ShellVerbBlock(AUTORUNINF *ari)
{
    char empty[1] = "";
    const char *verbText = ari->pstrShellVerb ? ari->pstrShellVerb : empty;

    /* verb '=' menu text '=' command: split at the first two '=' only, so
     * that an empty menu text keeps its command and a command keeps its own
     * '=' signs */
    const char *eq1 = strchr(verbText, '=');
    const char *eq2 = eq1 ? strchr(eq1 + 1, '=') : NULL;
    size_t verbLen = eq1 ? (size_t)(eq1 - verbText) : strlen(verbText);
    if (verbLen == 0)
        return _strdup("");

    char *verb = (char *)malloc(verbLen + 1);
    char *menu = NULL;
    if (verb) {
        memcpy(verb, verbText, verbLen);
        verb[verbLen] = '\0';
    }
    if (eq1) {
        size_t menuLen = eq2 ? (size_t)(eq2 - eq1 - 1) : strlen(eq1 + 1);
        menu = (char *)malloc(menuLen + 1);
        if (menu) {
            memcpy(menu, eq1 + 1, menuLen);
            menu[menuLen] = '\0';
        }
    }

    char *block = NULL;
    if (verb && (menu || !eq1)) {
        char qMenu[QUOTEDLEN] = "", qCommand[QUOTEDLEN] = "";
        if (menu)
            QuoteProfileValue(qMenu, sizeof qMenu, menu);
        if (eq2)
            QuoteProfileValue(qCommand, sizeof qCommand, eq2 + 1);

        char *text = LoadTextFromResource(ari->flgComments ? IDT_SHELLVERB_COMMENTED : IDT_SHELLVERB_PLAIN);
        if (text) {
            SYMVALUE table[] = {
                { "shellverb0", verb },
                { "shellverb1", menu ? qMenu : NULL },
                { "shellverb2", eq2 ? qCommand : NULL },
            };
            block = ReplaceSymbols(text, table, (int)(sizeof table / sizeof table[0]), NULL);
            free(text);
        }
    } else {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    free(verb);
    free(menu);
    return block;
}

/* "date time" in the user's default formats. */
static void FormatNow(char *out, size_t size)
{
    char date[NOWLEN / 2] = "", time[NOWLEN / 2] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, NULL, NULL, date, (int)sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, NULL, NULL, time, (int)sizeof time);
    snprintf(out, size, "%s %s", date, time);
}

static char *FillAutoRunPart(char *text, AUTORUNINF *ari, const char *open)
{
    char now[NOWLEN];
    char icon[VALUELEN] = "";
    char qOpen[QUOTEDLEN], qIcon[QUOTEDLEN], qAction[QUOTEDLEN], qLabel[QUOTEDLEN];

    FormatNow(now, sizeof now);
    if (ari->strIcon[0])
        snprintf(icon, sizeof icon, "%s,%u", ari->strIcon, (unsigned)ari->uIcon);
    QuoteProfileValue(qOpen, sizeof qOpen, open);
    QuoteProfileValue(qIcon, sizeof qIcon, icon);
    QuoteProfileValue(qAction, sizeof qAction, ari->strAction);
    QuoteProfileValue(qLabel, sizeof qLabel, ari->strLabel);

    char *shell = ShellVerbBlock(ari);
    if (!shell)
        return NULL;

    SYMVALUE table[] = {
        { "NOW", now },
        { "VS_APPNAME", zvFlavor.pszProgram },
        { "VS_BUILDVERSION", zvFlavor.pszVersion },
        { "strOpen", qOpen },
        { "_ICON_", KeyOrComment(ari->strIcon[0], "ICON", "; ICON") },
        { "strIcon", qIcon },
        { "_ACTION_", KeyOrComment(ari->strAction[0], "ACTION", "; ACTION") },
        { "strAction", qAction },
        { "_LABEL_", KeyOrComment(ari->strLabel[0], "LABEL", "; LABEL") },
        { "strLabel", qLabel },
        { "_SHELLVERB_", shell },
        { "hasMusic", TrueFalse(ari->uContentFlags, CONTENT_MUSIC) },
        { "hasPicture", TrueFalse(ari->uContentFlags, CONTENT_PICTURES) },
        { "hasVideo", TrueFalse(ari->uContentFlags, CONTENT_VIDEO) },
    };
    char *out = ReplaceSymbols(text, table, (int)(sizeof table / sizeof table[0]), NULL);
    free(shell);
    return out;
}

static char *FillDataPart(char *text, AUTORUNINF *ari)
{
    enum { NDOCUMENT, NVIEWER, NDEFAULT, NCAPTION, NEULA, NCOPYRIGHT, NTITLE, NMUSIC, NSPLASH, NWINMODE, NTEXTS };
    const char *texts[NTEXTS] = {
        ari->strDocument, ari->strViewer, ari->strDefaultAction, ari->strLNCaption, ari->strEULA,
        NULL, ari->strCDTitle, ari->strMusic, ari->strSplash, ari->strWinMode,
    };
    char quoted[NTEXTS][QUOTEDLEN];
    char copyright[VALUELEN];

    CoprPrint(copyright, sizeof copyright, ari->strCopyright);
    texts[NCOPYRIGHT] = copyright;
    for (int i = 0; i < NTEXTS; i++)
        QuoteProfileValue(quoted[i], sizeof quoted[i], texts[i]);

    size_t noticeLen = 0;
    char *notice = LegalNoticeInfValue(ari->pstrLNText ? ari->pstrLNText : "", &noticeLen);
    if (!notice)
        return NULL;
    /* the reader stops before a piece that would pass this length, and the
     * escaped notice is longer than what the author typed */
    unsigned textLen = ari->uLNTextLen;
    if (noticeLen > textLen)
        textLen = (unsigned)noticeLen;

    enum { NBROWSE, NFORCE, NDIRFIX, NTOPMOST, NTEXTLEN, NMUSICLEN, NSPLASHMODE, NPAUSE, NSPLASHLEN,
           NHIDE, NALT, NWIDTH, NHEIGHT, NANGLE, NPERCENT, NSIMPLE, NNUMBERS };
    const int numbers[NNUMBERS] = {
        ari->flgBrowseLocalFile, ari->flgForceViewer, ari->flgDirFix, ari->flgTopMost,
        (int)textLen, (int)ari->uMusicLen, (int)ari->uSplashMode, (int)ari->uPauseLen,
        (int)ari->uSplashLen, ari->flgHideSplash, ari->flgAlternateSplash, ari->uImageWidth,
        ari->uImageHeight, ari->nOffsetAngle, (int)ari->uOffsetPercent, ari->flgSimpleAccept,
    };
    char num[NNUMBERS][NUMLEN];
    for (int i = 0; i < NNUMBERS; i++)
        snprintf(num[i], sizeof num[i], "%d", numbers[i]);

    SYMVALUE table[] = {
        { "strDocument", quoted[NDOCUMENT] },
        { "strViewer", quoted[NVIEWER] },
        { "strDefaultAction", quoted[NDEFAULT] },
        { "strLNCaption", quoted[NCAPTION] },
        { "strEULA", quoted[NEULA] },
        { "pstrLNText", notice },
        { "strCopyright", quoted[NCOPYRIGHT] },
        { "_CDTITLE_", KeyOrComment(ari->strCDTitle[0], "CDTITLE", "; CDTITLE") },
        { "strCDTitle", quoted[NTITLE] },
        { "strMusic", quoted[NMUSIC] },
        { "_SPLASH_", KeyOrComment(ari->strSplash[0], "SPLASH", "; SPLASH") },
        { "strSplash", quoted[NSPLASH] },
        { "strWinMode", quoted[NWINMODE] },
        { "flgBrowseLocalFile", num[NBROWSE] },
        { "flgForceViewer", num[NFORCE] },
        { "flgDirFix", num[NDIRFIX] },
        { "flgTopMost", num[NTOPMOST] },
        { "uLNTextLen", num[NTEXTLEN] },
        { "uMusicLen", num[NMUSICLEN] },
        { "uSplashMode", num[NSPLASHMODE] },
        { "uPauseLen", num[NPAUSE] },
        { "uSplashLen", num[NSPLASHLEN] },
        { "flgHideSplash", num[NHIDE] },
        { "flgAlternateSplash", num[NALT] },
        { "_IMAGEHEIGHT_", KeyOrComment(ari->uImageHeight != 0, "IMAGEHEIGHT", "; IMAGEHEIGHT") },
        { "_IMAGEWIDTH_", KeyOrComment(ari->uImageWidth != 0, "IMAGEWIDTH", "; IMAGEWIDTH") },
        { "uImageWidth", num[NWIDTH] },
        { "uImageHeight", num[NHEIGHT] },
        { "nOffsetAngle", num[NANGLE] },
        { "uOffsetPercent", num[NPERCENT] },
        { "flgSimpleAccept", num[NSIMPLE] },
    };
    char *out = ReplaceSymbols(text, table, (int)(sizeof table / sizeof table[0]), NULL);
    free(notice);
    return out;
}

char *StrRep(char *text, AUTORUNINF *ari, int part)
{
    if (!text)
        return NULL;
    char *out = part == 0 ? FillAutoRunPart(text, ari, ari->strOpen) : FillDataPart(text, ari);
    free(text);
    return out;
}

char *FillTemplate(AUTORUNINF *ari, int part, const char *open)
{
    UINT id;
    if (part == 0)
        id = ari->flgComments ? IDT_AUTORUN_COMMENTED : IDT_AUTORUN_PLAIN;
    else
        id = ari->flgComments ? IDT_DATA_COMMENTED : IDT_DATA_PLAIN;

    char *text = LoadTextFromResource(id);
    if (!text)
        return NULL;
    char *out = part == 0 ? FillAutoRunPart(text, ari, open ? open : ari->strOpen) : FillDataPart(text, ari);
    free(text);
    return out;
}

} // namespace zv
