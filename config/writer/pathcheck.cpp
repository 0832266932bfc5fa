/*
 * pathcheck.cpp - file settings that name a folder of the author's machine
 * would not be found on the disc: offer to reduce each to its file name.
 */
#include "writer_int.h"
#include "resource.h"

namespace zv {

enum { FILEPARTLEN = 256 };

int IsFixedPath(const char *value)
{
    return value[0] == '\\' || (value[0] && value[1] == ':');
}

int FNOnly(char *dst, size_t size, const char *value)
{
    const char *part = strrchr(value, '\\');
    if (!part)
        part = strrchr(value, ':');
    part = part ? part + 1 : value;

    int r = strcpy_s(dst, size, part);
    /* never leave the caller a buffer that nothing was put into */
    if (r != 0 && size)
        dst[0] = '\0';
    return r;
}

int FixPath(HWND owner, const char *label, char *value, size_t size)
{
    if (!IsFixedPath(value))
        return 1;

    char part[FILEPARTLEN] = "";
    /* a file part too long to offer, or none at all (the value ends in a
     * backslash): nothing to reduce to, the value stays */
    if (FNOnly(part, sizeof part, value) != 0 || !part[0])
        return 0;
    if (!AskUserYN(owner, IDS_ABSOLUTEPATH, label, value, part))
        return 0;
    return strcpy_s(value, size, part) == 0;
}

int CheckAutoRunInf(HWND owner, AUTORUNINF *ari)
{
    struct FILESETTING {
        const char *pszLabel;
        char *pszValue;
        size_t size;
    } settings[] = {
        { "open", ari->strOpen, sizeof ari->strOpen },
        { "icon", ari->strIcon, sizeof ari->strIcon },
        { "Document", ari->strDocument, sizeof ari->strDocument },
        { "Viewer", ari->strViewer, sizeof ari->strViewer },
        { "DefaultAction", ari->strDefaultAction, sizeof ari->strDefaultAction },
        { "Splash", ari->strSplash, sizeof ari->strSplash },
        { "Music", ari->strMusic, sizeof ari->strMusic },
        { "EULA", ari->strEULA, sizeof ari->strEULA },
    };

    /* every absolute setting gets its question, whatever the answers */
    int all = 1;
    for (size_t i = 0; i < sizeof settings / sizeof settings[0]; i++)
        if (!FixPath(owner, settings[i].pszLabel, settings[i].pszValue, settings[i].size))
            all = 0;
    return all;
}

} // namespace zv
