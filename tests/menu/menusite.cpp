/*
 * menusite.cpp - scratch sites for ZVMenu, its window and boxes from
 * outside, and its run records through the registry API.
 */
#include "menusite.h"

#include <gtest/gtest.h>

#include "testpictures.h"

namespace zv {

static const char szRecords[] = "Software\\Quorvel\\ZVMenu";

MENUSITE MakeMenuSite(const std::string &name)
{
    return zvtest::MakeMarkerSite("menu-" + name, "ZVMenu.exe");
}

void WriteMenuIni(const std::string &path, const std::vector<std::string> &options,
                  const std::vector<std::string> &items)
{
    std::string text = "[Options]\r\n";
    for (const std::string &l : options)
        text += l + "\r\n";
    text += "[ZVMenu]\r\n";
    for (const std::string &l : items)
        text += l + "\r\n";
    ASSERT_TRUE(zvtest::WriteFileBytes(path, text)) << path;
}

MENUPROC::~MENUPROC()
{
    if (!pi.hProcess)
        return;
    if (!Ended(0)) {
        /* the menu window, a dialog layout's dialog or a box */
        for (HWND w : zvtest::FindProcessWindows(pi.dwProcessId, NULL))
            PostMessageA(w, WM_CLOSE, 0, 0);
        if (!Ended(20000))
            Kill();
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool MENUPROC::Ended(DWORD waitMs, DWORD *code)
{
    if (WaitForSingleObject(pi.hProcess, waitMs) != WAIT_OBJECT_0)
        return false;
    if (code)
        GetExitCodeProcess(pi.hProcess, code);
    return true;
}

void MENUPROC::Kill()
{
    TerminateProcess(pi.hProcess, 259);
    WaitForSingleObject(pi.hProcess, 10000);
}

bool StartMenu(const MENUSITE &site, const std::string &args, const char *cwd, MENUPROC *proc)
{
    std::string cmdline = "\"" + site.exe + "\"" + (args.empty() ? "" : " " + args);
    return zvtest::StartProcess(cmdline, cwd ? cwd : site.dir.c_str(), &proc->pi);
}

static int ButtonCount(HWND menu)
{
    int n = 0;
    while (n < 8 && GetDlgItem(menu, 100 + n))
        n++;
    return n;
}

HWND WaitForMenu(const MENUPROC &proc, int n, DWORD waitMs)
{
    HWND menu = NULL;
    zvtest::Eventually(
        [&] {
            std::vector<HWND> w = zvtest::FindProcessWindows(proc.pi.dwProcessId, "ZVMenu");
            menu = !w.empty() && ButtonCount(w[0]) == n ? w[0] : NULL;
            /* n buttons may be a moment of a reload taking the old ones
             * down or making the new: count again once the menu takes
             * messages again, that is once the reload has ended */
            if (menu && (!zvtest::TakesMessages(menu, 5000) || ButtonCount(menu) != n))
                menu = NULL;
            return menu != NULL;
        },
        waitMs);
    return menu;
}

HWND WaitForMenuDialog(const MENUPROC &proc, DWORD waitMs)
{
    HWND dialog = NULL;
    zvtest::Eventually(
        [&] {
            for (HWND w : zvtest::FindProcessWindows(proc.pi.dwProcessId, "#32770"))
                if (!dialog && GetDlgItem(w, 1002))
                    dialog = w;
            return dialog != NULL;
        },
        waitMs);
    return dialog;
}

std::vector<std::string> ButtonTexts(HWND menu)
{
    std::vector<std::string> out;
    for (int i = 0; i < 8; i++)
        if (HWND b = GetDlgItem(menu, 100 + i))
            out.push_back(zvtest::WindowText(b));
    return out;
}

RECT ChildRect(HWND child)
{
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(NULL, GetParent(child), (POINT *)&rc, 2);
    return rc;
}

void PressItem(HWND menu, int id, int code)
{
    PostMessageA(menu, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(menu, id));
}

unsigned ScreenAt(const zvtest::SCREENSHOT &shot, HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return shot.At(p.x, p.y);
}

int CountNear(const zvtest::SCREENSHOT &shot, HWND window, RECT region, unsigned rgb, int tolerance)
{
    int n = 0;
    for (int y = region.top; y < region.bottom; y++)
        for (int x = region.left; x < region.right; x++)
            if (zvtest::NearColour(rgb, ScreenAt(shot, window, x, y), tolerance))
                n++;
    return n;
}

std::vector<zvtest::BOX> AnswerBoxes(const MENUPROC &proc, size_t n, DWORD waitMs)
{
    std::vector<zvtest::BOX> boxes;
    std::vector<HWND> seen;
    DWORD start = GetTickCount();
    while (boxes.size() < n && GetTickCount() - start <= waitMs) {
        for (HWND h : zvtest::FindProcessWindows(proc.pi.dwProcessId, "#32770")) {
            bool old = false;
            for (HWND s : seen)
                old = old || s == h;
            HWND text = GetDlgItem(h, 0xFFFF);
            if (old || !text)
                continue;
            seen.push_back(h);
            zvtest::BOX box;
            box.hwnd = h;
            box.caption = zvtest::WindowText(h);
            box.text = zvtest::WindowText(text);
            box.cls = "#32770";
            boxes.push_back(box);
            zvtest::PressButton(h, IDOK);
        }
        Sleep(50);
    }
    return boxes;
}

std::string HalvesPng(int w, int h, unsigned left, unsigned right)
{
    std::vector<unsigned> pixels((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            pixels[(size_t)y * w + x] = x < w / 2 ? left : right;
    return zvtest::PngBytes(w, h, pixels);
}

std::string RecordKey(const std::string &iniPath)
{
    return std::string(szRecords) + "\\" + iniPath;
}

bool ReadRecord(const std::string &key, int n, DWORD *type, std::string *data)
{
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    char buf[256];
    DWORD size = sizeof buf;
    std::string name = "HasRun" + std::to_string(n);
    LONG rc = RegQueryValueExA(h, name.c_str(), NULL, type, (BYTE *)buf, &size);
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS)
        return false;
    data->assign(buf, size);
    return true;
}

bool KeyExists(const std::string &key)
{
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

void SetDwordRecord(const std::string &key, int n, DWORD value)
{
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL));
    std::string name = "HasRun" + std::to_string(n);
    RegSetValueExA(h, name.c_str(), 0, REG_DWORD, (const BYTE *)&value, sizeof value);
    RegCloseKey(h);
}

void ClearRecords()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, szRecords);
}

} // namespace zv
