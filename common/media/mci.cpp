/*
 * mci.cpp - what both builds of the music code share: the MCI and short-path
 * seams and the short, lower-case path a music file is opened by.
 *
 * The multimedia library is loaded at the first MCI command: loading it
 * starts the system's sound drivers, which a program that may never play
 * anything (a menu without music) should not wait for at its start.
 */
#include "music.h"

namespace zv {

typedef MCIERROR (WINAPI *MCISENDSTRINGFN)(LPCSTR, LPSTR, UINT, HWND);

static MCIERROR WINAPI LoadedMciSendStringA(LPCSTR command, LPSTR reply, UINT replySize, HWND callback)
{
    static MCISENDSTRINGFN send;

    if (!send) {
        HMODULE winmm = LoadLibraryA("winmm.dll");
        if (winmm)
            send = reinterpret_cast<MCISENDSTRINGFN>(
                reinterpret_cast<void (*)(void)>(GetProcAddress(winmm, "mciSendStringA")));
        if (!send)
            return MCIERR_CANNOT_LOAD_DRIVER;
    }
    return send(command, reply, replySize, callback);
}

MCIERROR (WINAPI *pfnMciSendStringA)(LPCSTR, LPSTR, UINT, HWND) = LoadedMciSendStringA;
DWORD (WINAPI *pfnGetShortPathNameA)(LPCSTR, LPSTR, DWORD) = GetShortPathNameA;

int ShortMusicPath(const char *path, char *shortPath, size_t size)
{
    if (!path || !path[0])
        return 0;
    DWORD n = pfnGetShortPathNameA(path, shortPath, (DWORD)size);
    /* a result of size or more is the room it needed: nothing was written */
    if (n == 0 || n >= size)
        return 0;
    _strlwr_s(shortPath, size);
    return 1;
}

} // namespace zv
