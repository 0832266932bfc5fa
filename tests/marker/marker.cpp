/*
 * marker.cpp - the program the tests let others start.  It appends one line
 * to the file that ZVMARKER_OUT names, saying when it started, how it was
 * asked to show, where it runs and with what command line; then, when its
 * command line holds "sleep=N", it stays N milliseconds and then appends
 * a second line saying when it ended.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Milliseconds since 1601, the clock tests compare start times with. */
static unsigned long long NowMs(void)
{
    FILETIME ft;
    ULARGE_INTEGER t;
    GetSystemTimeAsFileTime(&ft);
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return t.QuadPart / 10000;
}

static void Append(const char *out, const char *line)
{
    /* several markers may start at once: retry while another writes */
    for (int tries = 0; tries < 200; tries++) {
        HANDLE h = CreateFileA(out, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD n;
            WriteFile(h, line, (DWORD)strlen(line), &n, NULL);
            CloseHandle(h);
            return;
        }
        Sleep(10);
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char out[MAX_PATH], cwd[MAX_PATH], line[4096];
    STARTUPINFOA si;
    unsigned long long started = NowMs();

    si.cb = sizeof si;
    GetStartupInfoA(&si);
    GetCurrentDirectoryA(sizeof cwd, cwd);
    const char *cmd = GetCommandLineA();
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;

    snprintf(line, sizeof line, "time=%llu|show=%d|cwd=%s|cmd=%s\r\n", started, show, cwd, cmd);

    int haveOut = GetEnvironmentVariableA("ZVMARKER_OUT", out, sizeof out) != 0;
    if (haveOut)
        Append(out, line);
    const char *s = strstr(cmd, "sleep=");
    if (s) {
        Sleep((DWORD)atoi(s + 6));
        if (haveOut) {
            snprintf(line, sizeof line, "end=%llu|cmd=%s\r\n", NowMs(), cmd);
            Append(out, line);
        }
    }
    return 0;
}
