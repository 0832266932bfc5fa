/*
 * hhstub.cpp - a stand-in hhctrl.ocx for the wizard's tests: HtmlHelpA
 * appends "cmd=N|file=F|data=D" to the file ZVHELP_OUT names and answers
 * HH_INITIALIZE with the cookie 4660.
 */
#include <windows.h>
#include <stdio.h>

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR file, UINT command, DWORD_PTR data)
{
    char out[MAX_PATH], line[1024];
    if (command == 28 && data)
        *(DWORD *)data = 4660;
    snprintf(line, sizeof line, "cmd=%u|file=%s|data=%lu\r\n", command, file ? file : "",
             command == 28 ? 0ul : (unsigned long)data);
    if (!GetEnvironmentVariableA("ZVHELP_OUT", out, sizeof out))
        return NULL;
    /* the test may be reading the file just now: retry */
    for (int tries = 0; tries < 200; tries++, Sleep(10)) {
        HANDLE h = CreateFileA(out, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD n;
            WriteFile(h, line, (DWORD)strlen(line), &n, NULL);
            CloseHandle(h);
            break;
        }
    }
    return NULL;
}
