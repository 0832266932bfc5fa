/*
 * cmdline.cpp - the runtime's four options (--inf, --log, --dat, --test)
 * and the one table that holds what a command line gave them.
 */
#include "settings.h"
#include "asciitext.h"

#include <stdlib.h>

namespace zv {

CMDLINEOPTION aclp[CLO_COUNT] = {
    { 'i', "inf", CLT_TEXT, 0, { 0 } },
    { 'l', "log", CLT_TEXT, 0, { 0 } },
    { 'd', "dat", CLT_TEXT, 0, { 0 } },
    { 't', "test", CLT_SWITCH, 0, { 0 } },
};

enum { CMDVALUELEN = 256, CMDMESSAGELEN = 512 };

/* A text of 256 characters or more does not fit and gives the empty text. */
static void CopyBounded(char (&out)[CMDVALUELEN], const char *start, size_t len)
{
    memset(out, 0, sizeof out);
    strncpy_s(out, sizeof out, start, len);
}

static void ReportToken(const char *prefix, const char *start, const char *end)
{
    char token[CMDVALUELEN];
    char message[CMDMESSAGELEN];

    CopyBounded(token, start, (size_t)(end - start));
    strcpy_s(message, sizeof message, prefix);
    strcat_s(message, sizeof message, token);
    pfnMessageBoxA(GetDesktopWindow(), message, zvFlavor.pszCaption, MB_OK | MB_ICONINFORMATION);
}

/* The value that follows an option; returns where the scan goes on. */
static const char *TakeValue(CMDLINEOPTION *opt, const char *p)
{
    const char *start, *end, *resume;
    char value[CMDVALUELEN];

    p = SkipBlanks(p);
    if (*p == '"') {
        start = ++p;
        while (*p && *p != '"')
            p++;
        end = p;
        resume = *p ? p + 1 : p;
    } else {
        start = p;
        end = resume = WordEnd(p);
    }

    CopyBounded(value, start, (size_t)(end - start));
    if (opt->uType == CLT_INT) {
        opt->value.n = atoi(value);
    } else {
        size_t len = strlen(value) + 1;
        char *copy = (char *)malloc(len);
        if (copy)
            memcpy(copy, value, len);
        opt->value.psz = copy;
    }
    return resume;
}

CMDLINEOPTION *ParseCommandLine(AUTORUNINF *ari, const char *text, int report)
{
    (void)ari;
    const char *p = text ? text : "";

    for (;;) {
        p = SkipBlanks(p);
        if (!*p)
            return aclp;

        if (*p != '-' && *p != '/') {
            const char *end = WordEnd(p);
            if (report)
                ReportToken("Invalid command line parameter: ", p, end);
            p = end;
            continue;
        }

        CMDLINEOPTION *opt = NULL;
        const char *name;   /* where the token starts after its prefix */

        if (p[1] == '-' || p[1] == '/') {
            name = p + 2;
            for (int i = 0; i < CLO_COUNT && !opt; i++)
                if (StartsWithNoCase(name, aclp[i].pstrName)) {
                    opt = &aclp[i];
                    p = name + strlen(aclp[i].pstrName);
                }
        } else {
            name = p + 1;
            char letter = LowerAscii(*name);
            for (int i = 0; i < CLO_COUNT && !opt && letter; i++)
                if (aclp[i].cLetter == letter) {
                    opt = &aclp[i];
                    p = name + 1;
                }
        }

        if (!opt) {
            const char *end = WordEnd(name);
            if (report)
                ReportToken("Invalid command line parameter: -", name, end);
            p = end;
            continue;
        }

        opt->flgPresent = 1;
        if (opt->uType != CLT_SWITCH)
            p = TakeValue(opt, p);
    }
}

void FreeCommandLine(CMDLINEOPTION *table)
{
    if (!table)
        return;
    for (int i = 0; i < CLO_COUNT; i++) {
        if (table[i].flgPresent && table[i].uType == CLT_TEXT && table[i].value.psz)
            free(table[i].value.psz);
        table[i].flgPresent = 0;
    }
}

} // namespace zv
