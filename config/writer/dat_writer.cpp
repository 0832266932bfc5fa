/*
 * dat_writer.cpp - ZORVAN.DAT: the runtime's settings as gzip-compressed
 * "letter:value" lines, and the AUTORUN.INF whose OPEN line names it.
 */
#include "writer_int.h"
#include "resource.h"

#include <stdio.h>
#include <stdlib.h>
#include <zlib.h>

namespace zv {

/* The data file's name as the runtime finds it from its own folder. */
static const char *DatFileName(const char *datPath)
{
    const char *name = strrchr(datPath, '\\');
    if (!name)
        name = strrchr(datPath, ':');
    return name ? name + 1 : datPath;
}

/* gzputs, not gzprintf: zlib's formatted write drops long lines. */
static int PutRecord(gzFile gz, char letter, const char *value, size_t len)
{
    char head[3] = { letter, ':', '\0' };
    return gzputs(gz, head) >= 0 && (len == 0 || gzwrite(gz, value, (unsigned)len) == (int)len) &&
           gzputs(gz, "\n") >= 0;
}

static int PutText(gzFile gz, char letter, const char *value)
{
    return !value[0] || PutRecord(gz, letter, value, strlen(value));
}

static int PutUnsigned(gzFile gz, char letter, unsigned number)
{
    char value[16];
    int len = snprintf(value, sizeof value, "%u", number);
    return PutRecord(gz, letter, value, (size_t)len);
}

static int PutSigned(gzFile gz, char letter, int number)
{
    char value[16];
    int len = snprintf(value, sizeof value, "%d", number);
    return PutRecord(gz, letter, value, (size_t)len);
}

/* A flag as its sign-widened bit, printed unsigned: set is 4294967295. */
static int PutFlag(gzFile gz, char letter, int flag) { return PutUnsigned(gz, letter, (unsigned)flag); }

static int WriteRecords(gzFile gz, const AUTORUNINF *ari)
{
    char copyright[VALUELEN];
    CoprPrint(copyright, sizeof copyright, ari->strCopyright);

    int ok = PutText(gz, 'A', ari->strDocument) && PutText(gz, 'B', ari->strDefaultAction) &&
             PutText(gz, 'C', ari->strViewer) && PutText(gz, 'I', copyright) &&
             PutText(gz, 'L', ari->strCDTitle) && PutText(gz, 'P', ari->strSplash) &&
             PutText(gz, 'T', ari->strMusic) && PutText(gz, 'Z', ari->strLNCaption) &&
             PutText(gz, 'e', ari->strEULA);
    if (ok && !ari->strEULA[0] && ari->pstrLNText && ari->pstrLNText[0]) {
        /* whole escapes only, and no longer than the reader's line */
        size_t len = EscapedPrefixLength(ari->pstrLNText, DATLINELEN - 4);
        ok = PutRecord(gz, 'a', ari->pstrLNText, len);
    }

    return ok && PutFlag(gz, 'D', ari->flgForceViewer) &&
           /* no page sets uWindowMode: the text the author chose decides */
           PutUnsigned(gz, 'E', WindowModeFromText(ari->strWinMode)) &&
           PutFlag(gz, 'F', ari->flgTopMost) && PutFlag(gz, 'G', ari->flgDirFix) &&
           PutFlag(gz, 'H', ari->flgBrowseLocalFile) && PutFlag(gz, 'M', ari->flgHideSplash) &&
           PutFlag(gz, 'N', ari->flgAlternateSplash) && PutUnsigned(gz, 'Q', ari->uSplashLen) &&
           PutUnsigned(gz, 'R', ari->uSplashMode) && PutUnsigned(gz, 'S', ari->uPauseLen) &&
           PutUnsigned(gz, 'U', ari->uMusicLen) && PutSigned(gz, 'X', ari->nOffsetAngle) &&
           PutUnsigned(gz, 'Y', ari->uOffsetPercent) && PutUnsigned(gz, 'c', (unsigned)ari->uImageWidth) &&
           PutUnsigned(gz, 'd', (unsigned)ari->uImageHeight) && PutFlag(gz, 'f', ari->flgSimpleAccept);
}

/* 1, or 0 with the last error set and no data file left behind. */
static int WriteDatFile(const char *datPath, const AUTORUNINF *ari)
{
    SetLastError(0);
    gzFile gz = gzopen(datPath, "wb");
    if (!gz) {
        if (GetLastError() == 0)
            SetLastError(ERROR_OPEN_FAILED);
        return 0;
    }
    int ok = WriteRecords(gz, ari);
    DWORD err = GetLastError();
    if (gzclose(gz) != Z_OK)
        ok = 0;
    if (!ok) {
        if (err == 0)
            err = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        DeleteFileA(datPath);
        SetLastError(err);
    }
    return ok;
}

int SaveZorvanDat(HWND owner, AUTORUNINF *ari, const char *datPath)
{
    CheckAutoRunInf(owner, ari);

    /* OPEN and SHELLEXECUTE start the runtime with this data file only */
    const char *name = DatFileName(datPath);
    char base[ARI_PATHLEN], open[ARI_PATHLEN];
    if (!name[0]) {
        SetLastError(ERROR_INVALID_NAME);
        NotifyUserSE(owner, IDS_FILEWRITEERROR, datPath);
        return 0;
    }
    if (OpenWithoutDat(base, sizeof base, ari->strOpen) != 0 ||
        snprintf(open, sizeof open, "%s --dat \"%s\"", base, name) >= (int)sizeof open) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        NotifyUserSE(owner, IDS_FILEWRITEERROR, ari->strInfFile);
        return 0;
    }

    char *first = FillTemplate(ari, 0, open);
    if (!first) {
        NotifyUserSE(owner, IDS_FILEWRITEERROR, ari->strInfFile);
        return 0;
    }
    REPLACEMENT inf;
    BeginReplace(&inf, ari->strInfFile);
    int ok = WriteTextFile(ari->strInfFile, first, NULL);
    free(first);
    if (!ok) {
        AbandonReplace(&inf, 0);
        NotifyUserSE(owner, IDS_FILEWRITEERROR, ari->strInfFile);
        return 0;
    }

    REPLACEMENT dat;
    BeginReplace(&dat, datPath);
    /* a data file named like AUTORUN.INF but for its extension has just
     * taken the previous AUTORUN.INF's backup name: that file is gone, so
     * the new AUTORUN.INF is the only one left to keep */
    if (dat.fBackedUp && inf.fBackedUp && lstrcmpiA(dat.szBackup, inf.szBackup) == 0)
        inf.fBackedUp = 0;
    if (!WriteDatFile(datPath, ari)) {
        /* an AUTORUN.INF that names a missing data file would start a disc
         * without its settings: put both files back as they were, as far
         * as the previous ones still exist */
        AbandonReplace(&dat, 0);
        AbandonReplace(&inf, 1);
        NotifyUserSE(owner, IDS_FILEWRITEERROR, datPath);
        return 0;
    }
    return 1;
}

} // namespace zv
