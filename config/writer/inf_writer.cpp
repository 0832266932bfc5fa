/*
 * inf_writer.cpp - AUTORUN.INF written whole from the templates, with the
 * previous file kept as its .BAK.
 */
#include "writer_int.h"
#include "resource.h"

#include <stdlib.h>

namespace zv {

int SaveAutoRunInf(HWND owner, AUTORUNINF *ari)
{
    /* a value the author keeps absolute is written as it stands */
    CheckAutoRunInf(owner, ari);

    /* this file carries the runtime's settings itself: an OPEN that still
     * names a data file (from an opened project) would have the runtime
     * read that one instead */
    char open[ARI_PATHLEN];
    if (OpenWithoutDat(open, sizeof open, ari->strOpen) != 0)
        strcpy_s(open, sizeof open, ari->strOpen);

    /* both parts are made before the old file is touched */
    char *first = FillTemplate(ari, 0, open);
    char *second = first ? FillTemplate(ari, 1, NULL) : NULL;
    if (!second) {
        DWORD err = GetLastError();
        free(first);
        SetLastError(err);
        NotifyUserSE(owner, IDS_FILEWRITEERROR, ari->strInfFile);
        return 0;
    }

    REPLACEMENT inf;
    BeginReplace(&inf, ari->strInfFile);
    int ok = WriteTextFile(ari->strInfFile, first, second);
    free(first);
    free(second);
    if (!ok) {
        AbandonReplace(&inf, 0);
        NotifyUserSE(owner, IDS_FILEWRITEERROR, ari->strInfFile);
        return 0;
    }
    return 1;
}

} // namespace zv
