/*
 * symrep.cpp - loading the "TEXT" templates and replacing their
 * '%'-delimited placeholders.
 */
#include "writer_int.h"

#include <stdio.h>
#include <stdlib.h>

namespace zv {

static const char szEndMark[] = "$EOF$";

char *LoadTextFromResource(UINT id)
{
    HMODULE module = hPgmInstance ? (HMODULE)hPgmInstance : GetModuleHandleA(NULL);
    HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), "TEXT");
    if (!res)
        return NULL;
    HGLOBAL mem = LoadResource(module, res);
    DWORD size = SizeofResource(module, res);
    const unsigned char *data = mem ? (const unsigned char *)LockResource(mem) : NULL;
    if (!data)
        return NULL;

    /* the resource carries no NUL: its size bounds everything */
    const unsigned char *mark = boyermoore_horspool_memmem(
        data, size, (const unsigned char *)szEndMark, sizeof szEndMark - 1);
    size_t len = mark ? (size_t)(mark - data) : (size_t)size;
    char *text = (char *)malloc(len + 1);
    if (!text) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return NULL;
    }
    memcpy(text, data, len);
    text[len] = '\0';
    return text;
}

/* The symbol whose placeholder starts at p (a '%'), or -1. */
static int SymbolAt(const char *p, const SYMVALUE *table, const size_t *nameLen, int count)
{
    for (int i = 0; i < count; i++)
        if (nameLen[i] && strncmp(p + 1, table[i].pszName, nameLen[i]) == 0 && p[1 + nameLen[i]] == '%')
            return i;
    return -1;
}

/* One walk through text; writes into out when it is not NULL.  Returns
 * the length of the result. */
static size_t Substitute(const char *text, const SYMVALUE *table, const size_t *nameLen, int count,
                         char *out, int *pFound)
{
    size_t len = 0;
    int found = 0;

    for (const char *p = text; *p;) {
        int sym = *p == '%' ? SymbolAt(p, table, nameLen, count) : -1;
        if (sym < 0) {
            if (out)
                out[len] = *p;
            len++;
            p++;
            continue;
        }
        const char *value = table[sym].pszValue ? table[sym].pszValue : "";
        size_t vlen = strlen(value);
        if (out)
            memcpy(out + len, value, vlen);
        len += vlen;
        p += nameLen[sym] + 2;
        found++;
    }
    if (out)
        out[len] = '\0';
    if (pFound)
        *pFound = found;
    return len;
}

char *ReplaceSymbols(const char *text, const SYMVALUE *table, int count, int *pFound)
{
    enum { MAXSYMBOLS = 64 };
    size_t nameLen[MAXSYMBOLS];

    if (count > MAXSYMBOLS)
        count = MAXSYMBOLS;
    for (int i = 0; i < count; i++)
        nameLen[i] = strlen(table[i].pszName);

    /* sized from what the result holds, so nothing is ever cut off */
    size_t len = Substitute(text, table, nameLen, count, NULL, pFound);
    char *out = (char *)malloc(len + 1);
    if (!out) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return NULL;
    }
    Substitute(text, table, nameLen, count, out, NULL);
    return out;
}

char *DoSymRep(char *text, const char *symbol, const char *value)
{
    SYMVALUE sym = { symbol, value };
    int found = 0;

    if (!text || !symbol || !*symbol)
        return NULL;
    char *out = ReplaceSymbols(text, &sym, 1, &found);
    if (!out || !found) {
        free(out);
        return NULL;
    }
    free(text);
    return out;
}

char *DoNumRep(char *text, const char *symbol, int number)
{
    char value[16];
    snprintf(value, sizeof value, "%d", number);
    return DoSymRep(text, symbol, value);
}

} // namespace zv
