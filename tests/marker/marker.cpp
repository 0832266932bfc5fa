/*
 * marker.cpp - the program the tests let others start.  It appends one line
 * to the file that ZVMARKER_OUT names, saying when it started, how it was
 * asked to show, where it runs and with what command line; then, when its
 * command line holds "sleep=N", it stays N milliseconds before it exits.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char out[MAX_PATH], cwd[MAX_PATH], line[4096];
    STARTUPINFOA si;
    FILETIME ft;
    ULARGE_INTEGER t;

    GetSystemTimeAsFileTime(&ft);
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    GetCurrentDirectoryA(sizeof cwd, cwd);
    const char *cmd = GetCommandLineA();
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;

    /* milliseconds since 1601, the clock tests compare start times with */
    snprintf(line, sizeof line, "time=%llu|show=%d|cwd=%s|cmd=%s\r\n",
             (unsigned long long)(t.QuadPart / 10000), show, cwd, cmd);

    if (GetEnvironmentVariableA("ZVMARKER_OUT", out, sizeof out)) {
        /* several markers may start at once: retry while another writes */
        for (int tries = 0; tries < 200; tries++) {
            HANDLE h = CreateFileA(out, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (h != INVALID_HANDLE_VALUE) {
                DWORD n;
                WriteFile(h, line, (DWORD)strlen(line), &n, NULL);
                CloseHandle(h);
                break;
            }
            Sleep(10);
        }
    }
    const char *s = strstr(cmd, "sleep=");
    if (s)
        Sleep((DWORD)atoi(s + 6));
    return 0;
}
