/*
 * splashsite.cpp - disc folders, runs of ZORVAN.EXE and the outside view
 * of its splash and of the screen.
 */
#include "splashsite.h"

#include <stdlib.h>



namespace zv {

std::string MakeSplashDisc(const std::string &name)
{
    static int made;
    std::string dir = zvtest::ScratchDir("sp-" + name + "-" + std::to_string(++made));
    CopyFileA(zvtest::BinPath("ZORVAN.EXE").c_str(), (dir + "\\ZORVAN.EXE").c_str(), FALSE);
    return dir;
}

bool WriteSplashInf(const std::string &disc, const std::vector<std::string> &data)
{
    std::string text = "[autorun]\r\nopen=ZORVAN.EXE\r\n[Zorvan Data]\r\n";
    for (const std::string &l : data)
        text += l + "\r\n";
    return zvtest::WriteFileBytes(disc + "\\AUTORUN.INF", text);
}

bool WriteSplashDat(const std::string &disc, const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &l : lines)
        text += l + "\n";
    return zvtest::WriteFileBytes(disc + "\\ZORVAN.DAT", text);
}

SPLASHRUN::~SPLASHRUN()
{
    if (!pi.hProcess)
        return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi.hProcess, 259);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool StartDisc(const std::string &disc, const std::string &args, SPLASHRUN *run)
{
    std::string cmdline = "\"" + disc + "\\ZORVAN.EXE\" --log \"" + disc + "\\run.log\"";
    if (!args.empty())
        cmdline += " " + args;
    return zvtest::StartProcess(cmdline, disc.c_str(), &run->pi);
}

static HWND FindDialog(const SPLASHRUN &run, bool splash, DWORD waitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND h : zvtest::FindProcessWindows(run.pi.dwProcessId, "#32770"))
            if ((GetDlgItem(h, SPLASH_PICTURE) != NULL) == splash)
                return h;
        if (GetTickCount() - start > waitMs || WaitForSingleObject(run.pi.hProcess, 0) == WAIT_OBJECT_0)
            return NULL;
        Sleep(30);
    }
}

HWND WaitForSplash(const SPLASHRUN &run, DWORD waitMs) { return FindDialog(run, true, waitMs); }
HWND WaitForBox(const SPLASHRUN &run, DWORD waitMs) { return FindDialog(run, false, waitMs); }

bool WaitForEnd(SPLASHRUN *run, DWORD waitMs, DWORD *exitCode)
{
    if (WaitForSingleObject(run->pi.hProcess, waitMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(run->pi.hProcess, exitCode);
    return true;
}

static bool ControlRect(HWND dialog, int id, RECT *rc)
{
    *rc = RECT{};
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return false;
    GetWindowRect(control, rc);
    MapWindowPoints(NULL, dialog, (POINT *)rc, 2);
    return true;
}

SPLASHVIEW ViewSplash(HWND splash)
{
    SPLASHVIEW v = {};
    RECT client = {};
    char text[1024];

    GetWindowRect(splash, &v.window);
    GetClientRect(splash, &client);
    v.client.cx = client.right;
    v.client.cy = client.bottom;
    ControlRect(splash, SPLASH_PICTURE, &v.picture);
    v.hasFrame = ControlRect(splash, SPLASH_FRAME, &v.frame);
    v.hasText = ControlRect(splash, SPLASH_TEXT, &v.text);
    v.style = GetWindowLongA(splash, GWL_STYLE);
    v.exStyle = GetWindowLongA(splash, GWL_EXSTYLE);
    v.visible = IsWindowVisible(splash) != 0;
    /* across processes these read the stored texts and send nothing */
    GetWindowTextA(splash, text, sizeof text);
    v.caption = text;
    text[0] = '\0';
    if (v.hasText)
        GetWindowTextA(GetDlgItem(splash, SPLASH_TEXT), text, sizeof text);
    v.copyright = text;
    return v;
}

static INT_PTR CALLBACK TemplateProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

SPLASHVIEW ViewTemplate(const char *name)
{
    SPLASHVIEW v = {};
    HMODULE exe = LoadLibraryExA(zvtest::BinPath("ZORVAN.EXE").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = exe ? FindResourceA(exe, name, (LPCSTR)RT_DIALOG) : NULL;
    if (found) {
        const DLGTEMPLATE *t = (const DLGTEMPLATE *)LockResource(LoadResource(exe, found));
        HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(NULL), t, NULL, TemplateProc, 0);
        if (dialog) {
            v = ViewSplash(dialog);
            DestroyWindow(dialog);
        }
    }
    if (exe)
        FreeLibrary(exe);
    return v;
}

std::string Rc(const RECT &r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::string Rc(LONG left, LONG top, LONG width, LONG height)
{
    return Rc(RECT{left, top, left + width, top + height});
}

POINT CentredCorner(LONG w, LONG h)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    return POINT{(Width(desktop) - w) / 2, (Height(desktop) - h) / 2};
}


} // namespace zv
