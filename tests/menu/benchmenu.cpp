/*
 * benchmenu.cpp - the Windows side of scripts/bench-menu.  Times, in turn,
 * ZVMenu.exe on the menu file of the current folder and plainbuttons.exe
 * from their start until a window shows all its buttons and answers
 * messages; then the hand-over: a second ZVMenu.exe with another menu file
 * until the running window shows that file's buttons.  Prints one line per
 * measurement: "menu MS", "plain MS", "handover MS".
 *
 *   benchmenu.exe RUNS
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static double Now(void)
{
    static LARGE_INTEGER freq;
    LARGE_INTEGER t;
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)freq.QuadPart;
}

static int Start(const char *cmdline, PROCESS_INFORMATION *pi)
{
    STARTUPINFOA si = {};
    char cmd[512];
    si.cb = sizeof si;
    snprintf(cmd, sizeof cmd, "%s", cmdline);
    return CreateProcessA(NULL, cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, pi) != FALSE;
}

/* The window shows n visible buttons, the first with text first (NULL:
 * any), and answers. */
static int Shows(HWND w, int n, const char *first)
{
    if (!w || !IsWindowVisible(w))
        return 0;
    for (int i = 0; i < 8; i++) {
        HWND b = GetDlgItem(w, 100 + i);
        if ((i < n) != (b != NULL && IsWindowVisible(b)))
            return 0;
    }
    if (first) {
        char text[64] = "";
        GetWindowTextA(GetDlgItem(w, 100), text, sizeof text);
        if (strcmp(text, first) != 0)
            return 0;
    }
    DWORD_PTR r;
    return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r) != 0;
}

static HWND WaitShows(const char *cls, int n, const char *first)
{
    double start = Now();
    while (Now() - start < 30000) {
        HWND w = FindWindowA(cls, NULL);
        if (Shows(w, n, first))
            return w;
        Sleep(1);
    }
    return NULL;
}

static void End(HWND w, PROCESS_INFORMATION *pi)
{
    if (w)
        PostMessageA(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi->hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(pi->hProcess, 1);
    CloseHandle(pi->hThread);
    CloseHandle(pi->hProcess);
}

static double TimeWindow(const char *cmdline, const char *cls)
{
    PROCESS_INFORMATION pi;
    double t0 = Now();
    if (!Start(cmdline, &pi))
        return -1;
    HWND w = WaitShows(cls, 8, NULL);
    double t = Now() - t0;
    End(w, &pi);
    return w ? t : -1;
}

static double TimeHandOver(void)
{
    PROCESS_INFORMATION first, second;
    if (!Start("ZVMenu.exe", &first))
        return -1;
    HWND w = WaitShows("ZVMenu", 8, NULL);
    double t = -1;
    if (w) {
        double t0 = Now();
        if (Start("ZVMenu.exe OTHER.INI", &second)) {
            if (WaitShows("ZVMenu", 3, "Other 1"))
                t = Now() - t0;
            WaitForSingleObject(second.hProcess, 20000);
            CloseHandle(second.hThread);
            CloseHandle(second.hProcess);
        }
    }
    End(w, &first);
    return t;
}

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;

    /* warm both once */
    TimeWindow("ZVMenu.exe", "ZVMenu");
    TimeWindow("plainbuttons.exe", "ZVPlainButtons");
    for (int i = 0; i < runs; i++) {
        printf("menu %.1f\n", TimeWindow("ZVMenu.exe", "ZVMenu"));
        printf("plain %.1f\n", TimeWindow("plainbuttons.exe", "ZVPlainButtons"));
        fflush(stdout);
    }
    for (int i = 0; i < runs; i++) {
        printf("handover %.1f\n", TimeHandOver());
        fflush(stdout);
    }
    return 0;
}
