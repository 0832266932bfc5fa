/*
 * chainargs.cpp - ZVChain's command line: one option or one file name, and
 * where the configuration lives when none is named.
 */
#include "chain.h"

#include <string.h>

#include "safestr.h"

namespace zv {

struct CHAINOPTION {
    const char *pszName;
    int option;
};

static const CHAINOPTION aOptions[] = {
    {"?", CO_HELP},    {"h", CO_HELP},       {"-help", CO_HELP},
    {"v", CO_VERSION}, {"-version", CO_VERSION},
    {"d", CO_DEBUG},   {"-debug", CO_DEBUG},
};

/* The word is compared in place, so an option of any length needs no buffer. */
static int OptionOf(const char *word, size_t len)
{
    for (size_t i = 0; i < sizeof aOptions / sizeof aOptions[0]; i++)
        if (strlen(aOptions[i].pszName) == len && _strnicmp(word, aOptions[i].pszName, len) == 0)
            return aOptions[i].option;
    return CO_UNKNOWN;
}

void SplitChainCommandLine(const char *cmdline, CHAINARGS *args)
{
    const char *p = cmdline ? cmdline : "";

    args->option = CO_NONE;
    args->pszName = p;
    args->cchName = 0;
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p == '-' || *p == '/') {
        /* whatever follows an option is ignored: the default file is read */
        args->option = OptionOf(p + 1, strcspn(p + 1, " \t"));
        return;
    }
    if (*p == '"' || *p == '\'') {
        char quote = *p++;
        const char *end = strchr(p, quote);
        args->pszName = p;
        args->cchName = end ? (size_t)(end - p) : strlen(p);
        return;
    }
    args->pszName = p;
    args->cchName = strcspn(p, " \t");
}

int DefaultConfigName(char *name, size_t size)
{
    char module[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, module, sizeof module);

    name[0] = '\0';
    /* a bare name would read whatever folder is current: another disc's */
    if (n == 0 || n >= sizeof module)
        return 0;
    char *slash = strrchr(module, '\\');
    if (slash)
        slash[1] = '\0';
    if (strcpy_s(name, size, module) != 0 || strcat_s(name, size, "ZVCHAIN.INI") != 0) {
        name[0] = '\0';
        return 0;
    }
    return 1;
}

} // namespace zv
