/*
 * docstart.cpp - opening what the disc is for: the document, else the
 * viewer with the document, else the default action (a program or an ECHO
 * message), else a box with the system's reason.
 */
#include <stdio.h>

#include "launch.h"
#include "resource.h"
#include "runtime.h"
#include "asciitext.h"

namespace zv {

enum { DOCBUFLEN = 512, FORMATLEN = 64, SYSTEXTLEN = 64, ALLOCTEXTLEN = 64, ALLOCMSGLEN = 128 };

void *AllocMemInform(size_t size)
{
    void *block = AllocMem(size);

    if (!block && ari.flgLogging) {
        char format[ALLOCTEXTLEN];
        char message[ALLOCMSGLEN];

        if (LoadStringA(hPgmInstance, IDS_ALLOCFAILED, format, sizeof format) <= 0)
            strcpy_s(format, sizeof format, "Alloc(%u) failed.");
        snprintf(message, sizeof message, format, (unsigned)size);
        pfnMessageBoxA(hSplash, message, ari.strCDTitle, MB_OK | MB_ICONERROR);
    }
    return block;
}

static int Started(HINSTANCE h) { return (INT_PTR)h > 32; }

/* The last box: the document as configured and why nothing could start. */
static void ShowStartError(const char *document, DWORD err, char *systemText)
{
    char *format = (char *)AllocMemInform(FORMATLEN);
    if (!format)
        return;

    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, err,
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), systemText, SYSTEXTLEN, NULL))
        snprintf(systemText, DOCBUFLEN, "An unexpected error #%u has occurred.", (unsigned)err);
    if (LoadStringA(hPgmInstance, IDS_CANNOTOPEN, format, FORMATLEN) <= 0)
        strcpy_s(format, FORMATLEN, "Error: %s\n\n%s");

    size_t size = strlen(format) + strlen(document) + strlen(systemText);
    char *message = (char *)AllocMemInform(size);
    if (message) {
        snprintf(message, size, format, document, systemText);
        pfnMessageBoxA(hSplash, message, ari.strCDTitle, MB_OK | MB_ICONWARNING);
        FreeMem(message);
    }
    FreeMem(format);
}

int StartDocs(HWND hwnd, const char *viewer, const char *document, int forceViewer, int showMode)
{
    char *program = (char *)AllocMemInform(DOCBUFLEN);
    char *params = (char *)AllocMemInform(DOCBUFLEN);
    char *work = (char *)AllocMemInform(DOCBUFLEN);
    char *doc = (char *)AllocMemInform(DOCBUFLEN);
    int result = SD_MESSAGE;
    /* the error of the first stage that failed to start, reported at the end */
    DWORD err = ERROR_INVALID_PARAMETER;
    int tried = 0;

    if (!program || !params || !work || !doc)
        goto done;

    if (*document)
        ReplaceVars(document, doc, DOCBUFLEN, NULL);

    if (!forceViewer && *document) {
        const char *target = doc;
        if (ari.flgBrowseLocalFile) {
            BrowseLocalFile(doc, work, DOCBUFLEN);
            target = work;
        }
        if (Started(Execute(hwnd, target, NULL, showMode))) {
            result = SD_DOCUMENT;
            goto done;
        }
        err = GetLastError();
        tried = 1;
    }

    /* an empty viewer is no viewer, like an empty document or action */
    if (*viewer) {
        OrderParams(viewer, "", work, DOCBUFLEN, params, DOCBUFLEN);
        int inProgram = ReplaceVars(work, program, DOCBUFLEN, doc) & RV_DOCUMENT;
        int inParams = ReplaceVars(params, work, DOCBUFLEN, doc) & RV_DOCUMENT;
        if (!inProgram && !inParams && *doc) {
            if (*work) {
                if (strcat_s(work, DOCBUFLEN, " ") == 0)
                    strcat_s(work, DOCBUFLEN, doc);
            } else {
                strcpy_s(work, DOCBUFLEN, doc);
            }
        }
        strcpy_s(params, DOCBUFLEN, work);
        if (Started(Execute(hwnd, program, params, showMode))) {
            result = SD_OTHER;
            goto done;
        }
        err = GetLastError();
        tried = 1;
    }

    if (ari.strDefaultAction[0]) {
        OrderParams(ari.strDefaultAction, "", program, DOCBUFLEN, params, DOCBUFLEN);
        ReplaceVars(program, work, DOCBUFLEN, NULL);
        strcpy_s(program, DOCBUFLEN, work);
        ReplaceVars(params, work, DOCBUFLEN, doc);
        strcpy_s(params, DOCBUFLEN, work);
        if (SameTextNoCase(program, "ECHO")) {
            pfnMessageBoxA(hwnd, params, "Zorvan", MB_OK | MB_ICONINFORMATION);
            goto done;
        }
        if (Started(Execute(hwnd, program, params, showMode))) {
            result = SD_OTHER;
            goto done;
        }
        if (!tried)
            err = GetLastError();
    }

    ShowStartError(document, err, program);

done:
    FreeMem(program);
    FreeMem(params);
    FreeMem(work);
    FreeMem(doc);
    return result;
}

} // namespace zv
