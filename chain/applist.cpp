/*
 * applist.cpp - reads the [ZVChain] section into the list of programs:
 * Command1 to Command12, each with its Wait, gaps skipped.
 */
#include "chain.h"

#include <stdio.h>
#include <string.h>

namespace zv {

int ReadAppList(const char *iniPath)
{
    int count = 0;

    memset(sAppList, 0, sizeof sAppList);
    for (unsigned n = 1; n <= APPLIST_MAX; n++) {
        AppListEntry *e = &sAppList[count];
        char key[16];

        snprintf(key, sizeof key, "Command%u", n);
        GetPrivateProfileStringA("ZVChain", key, "", e->strCommand, sizeof e->strCommand, iniPath);
        if (e->strCommand[0] == '\0')
            continue;
        snprintf(key, sizeof key, "Wait%u", n);
        /* "-1" comes back as 4294967295: the value is signed */
        e->nWait = (int)GetPrivateProfileIntA("ZVChain", key, 1, iniPath);
        count++;
    }
    return count;
}

} // namespace zv
