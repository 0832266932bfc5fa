/*
 * launch.cpp - the text work between a configured command and the shell:
 * variable expansion, the program/parameter split, local file addresses,
 * and the zero-filled blocks the document start works in.
 *
 * Every destination is bounded: nothing is ever written past its size, and
 * a piece that does not fit is left out while the destination stays a
 * terminated text.
 */
#include "launch.h"
#include "asciitext.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

#include "safestr.h"

namespace zv {

enum { VARNAMELEN = 260, BROWSEBUFLEN = 512, FULLPATHLEN = 504 };

void *AllocMem(size_t size)
{
    if (size == 0)
        return NULL;
    return (void *)GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size);
}

void FreeMem(void *block)
{
    if (block)
        GlobalFree((HGLOBAL)block);
}

/* The value of %name% at text[start, end), or NULL when it has none. */
static const char *VariableValue(const char *start, size_t len, const char *document, int *flags)
{
    char name[VARNAMELEN];

    /* a name too long for any buffer names no variable we could look up */
    if (len >= sizeof name)
        return NULL;
    memcpy(name, start, len);
    name[len] = '\0';
    if (document && SameTextNoCase(name, "DOCUMENT")) {
        *flags |= RV_DOCUMENT;
        return document;
    }
    const char *value = getenv(name);
    if (value)
        *flags |= RV_ENVFOUND;
    return value;
}

int ReplaceVars(const char *text, char *dst, size_t size, const char *document)
{
    int flags = 0;
    size_t out = 0;
    const char *name = NULL; /* start of an open variable's name */

    if (size == 0)
        return 0;
    for (const char *p = text; *p; p++) {
        if (*p == '%' && !name) {
            name = p + 1;
            continue;
        }
        if (*p == '%') {
            size_t len = (size_t)(p - name);
            if (len < 2) {
                if (out + 1 < size)
                    dst[out++] = '%';
            } else {
                const char *value = VariableValue(name, len, document, &flags);
                /* a value that does not fit the room left is dropped whole */
                if (value && strcpy_s(dst + out, size - out, value) == 0)
                    out += strlen(value);
            }
            name = NULL;
            continue;
        }
        if (!name && out + 1 < size)
            dst[out++] = *p;
    }
    dst[out] = '\0';
    return flags;
}

int OrderParams(const char *command, const char *extra, char *program, size_t programSize,
                char *params, size_t paramsSize)
{
    const char *p = command;
    const char *token, *end;
    int rc = 0;

    p = SkipBlanks(p);
    if (*p == '"') {
        token = ++p;
        while (*p && *p != '"')
            p++;
        end = p;
        if (*p == '"')
            p++;
    } else {
        token = p;
        while (*p && !IsBlank(*p))
            p++;
        end = p;
    }

    size_t len = (size_t)(end - token);
    if (programSize) {
        if (len < programSize) {
            memcpy(program, token, len);
            program[len] = '\0';
        } else {
            /* a program cut short would start something else: leave none */
            program[0] = '\0';
            rc = ZV_TOOSMALL;
        }
    }

    p = SkipBlanks(p);
    if (paramsSize == 0)
        return rc ? rc : ZV_TOOSMALL;
    if (!*p) {
        int r = strcpy_s(params, paramsSize, extra);
        if (r)
            params[0] = '\0';
        return r ? r : rc;
    }
    int r = strcpy_s(params, paramsSize, p);
    if (r) {
        /* without the rest the blank and the extra text would mislead */
        params[0] = '\0';
        return r;
    }
    r = strcat_s(params, paramsSize, " ");
    if (r == 0)
        r = strcat_s(params, paramsSize, extra);
    return r ? r : rc;
}

void BrowseLocalFile(const char *command, char *dst, size_t size)
{
    if (size == 0)
        return;
    dst[0] = '\0';
    if (!*command)
        return;

    char *token = (char *)AllocMem(BROWSEBUFLEN);
    char *full = (char *)AllocMem(BROWSEBUFLEN);
    if (!token || !full) {
        FreeMem(token);
        FreeMem(full);
        return;
    }

    const char *p = command;
    const char *start, *end, *rest;
    while (*p == ' ')
        p++;
    if (*p == '"') {
        start = ++p;
        while (*p && *p != '"')
            p++;
        end = p;
        /* an unclosed quote leaves no rest: never step past the end */
        rest = *p ? p + 1 : p;
    } else {
        start = p;
        while (*p && *p != ' ')
            p++;
        end = p;
        rest = p;
    }

    size_t len = (size_t)(end - start);
    if (len < BROWSEBUFLEN) {
        memcpy(token, start, len);
        token[len] = '\0';
        DWORD n = GetFullPathNameA(token, FULLPATHLEN, full, NULL);
        if (n == 0 || n >= FULLPATHLEN)
            full[0] = '\0';
    }
    for (char *s = full; *s; s++)
        if (*s == '\\')
            *s = '/';

    strcpy_s(dst, size, "\"file:///");
    strcat_s(dst, size, full);
    strcat_s(dst, size, "\"");
    strcat_s(dst, size, rest);

    FreeMem(token);
    FreeMem(full);
}

BOOL ShellOpenQuiet(const char *file, const char *params, int show, SHELLEXECUTEINFOA *sei)
{
    memset(sei, 0, sizeof *sei);
    sei->cbSize = sizeof *sei;
    sei->fMask = SEE_MASK_NOASYNC | SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_NO_UI;
    sei->hwnd = GetDesktopWindow();
    sei->lpVerb = "open";
    sei->lpFile = file;
    sei->lpParameters = params;
    sei->nShow = show;
    return ShellExecuteExA(sei);
}

} // namespace zv
