/*
 * flavor.h - what differs between the programs that link the settings core.
 * Each program links exactly one definition of zvFlavor (flavor_*.cpp).
 */
#ifndef ZV_FLAVOR_H
#define ZV_FLAVOR_H

#include <windows.h>

namespace zv {

struct SETTINGSFLAVOR {
    const char *pszCaption;          /* caption of the core's boxes */
    const char *pszProgram;          /* log banner: program name ... */
    const char *pszVersion;          /* ... and its version text */
    UINT idFileError;                /* a settings or log file cannot be read or created */
    const char *pszDefaultCopyright; /* Copyright key missing; escaped form */
    int fDefaultBesideProgram;       /* default AUTORUN.INF beside the exe, else current folder */
    int fReadShellAndContent;        /* shell verb and [Content] of [AutoRun] */
    int fExpandEnvironment;          /* expand Document, Viewer, Splash, CDTitle, Music, caption */
    int fDecodeDatCopyright;         /* resolve the escapes of ZORVAN.DAT's copyright */
};

extern const SETTINGSFLAVOR zvFlavor;

} // namespace zv

#endif
