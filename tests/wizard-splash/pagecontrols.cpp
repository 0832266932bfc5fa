/*
 * pagecontrols.cpp - working the current page's controls from outside.
 */
#include "pagecontrols.h"
#include "screen.h"

namespace wiztest {

HWND Item(const WIZARD &w, int id)
{
    HWND page = Page(w);
    return page ? GetDlgItem(page, id) : NULL;
}

LRESULT SendTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &r);
    return (LRESULT)r;
}

void SetText(const WIZARD &w, int id, const std::string &text)
{
    SendTo(Item(w, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

void TypeText(const WIZARD &w, int id, const std::string &text)
{
    SendTo(Item(w, id), EM_SETSEL, 0, -1);
    SendTo(Item(w, id), EM_REPLACESEL, FALSE, (LPARAM)text.c_str());
}

std::string Text(const WIZARD &w, int id)
{
    return zvtest::WindowText(Item(w, id));
}

bool Checked(const WIZARD &w, int id)
{
    return SendTo(Item(w, id), BM_GETCHECK) == BST_CHECKED;
}

void Toggle(const WIZARD &w, int id)
{
    SendTo(Item(w, id), BM_CLICK);
}

void Press(const WIZARD &w, int id)
{
    SendTo(Page(w), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(w, id));
}

bool Enabled(const WIZARD &w, int id)
{
    return IsWindowEnabled(Item(w, id)) != FALSE;
}

bool Shown(const WIZARD &w, int id)
{
    return IsWindowVisible(Item(w, id)) != FALSE;
}

bool GoTo(const WIZARD &w, int from, int to)
{
    while (from != to) {
        int next = from < to ? from + 1 : from - 1;
        Click(w, from < to ? NEXT : PREVIOUS);
        if (!WaitForPage(w, next))
            return false;
        from = next;
    }
    return true;
}

std::string InfValue(const std::string &inf, const std::string &key)
{
    for (const std::string &line : zvtest::ReadLines(inf)) {
        if (line.compare(0, key.size() + 1, key + "=") == 0) {
            std::string v = line.substr(key.size() + 1);
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
                v = v.substr(1, v.size() - 2);
            return v;
        }
        if (line.compare(0, key.size() + 3, "; " + key + "=") == 0)
            return line.substr(key.size() + 3);
    }
    return "<none>";
}

void Snap(const std::string &name)
{
    /* Wine hands a window's new contents to X a little later */
    Sleep(500);
    zvtest::KeepScreen(name);
}

std::string JpegHeader(int w, int h)
{
    std::string s = "\xFF\xD8";
    /* SOF0: 8 bits, height, width, one component sampled 1x1, table 0 */
    s += std::string("\xFF\xC0\x00\x0B\x08", 5);
    s += (char)(h >> 8), s += (char)h, s += (char)(w >> 8), s += (char)w;
    s += std::string("\x01\x01\x11\x00", 4);
    /* SOS of that component, then the end */
    s += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    s += "\xFF\xD9";
    return s;
}

} // namespace wiztest
