/*
 * icongroups.c - a library of two icon groups for the icon readers' tests
 * (icongroups.rc).  It holds no code worth calling.
 */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
