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

std::string Text(const WIZARD &w, int id) { return zvtest::WindowText(Item(w, id)); }
bool Checked(const WIZARD &w, int id) { return SendTo(Item(w, id), BM_GETCHECK) == BST_CHECKED; }
void Toggle(const WIZARD &w, int id) { SendTo(Item(w, id), BM_CLICK); }
bool Enabled(const WIZARD &w, int id) { return IsWindowEnabled(Item(w, id)) != FALSE; }
bool Shown(const WIZARD &w, int id) { return IsWindowVisible(Item(w, id)) != FALSE; }

void Press(const WIZARD &w, int id)
{
    SendTo(Page(w), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(w, id));
}

bool GoTo(const WIZARD &w, int from, int to)
{
    for (int next; from != to; from = next) {
        next = from < to ? from + 1 : from - 1;
        Click(w, from < to ? NEXT : PREVIOUS);
        if (!WaitForPage(w, next))
            return false;
    }
    return true;
}

static std::string InfValue(const std::vector<std::string> &lines, const std::string &key)
{
    for (const std::string &line : lines) {
        size_t at = line.compare(0, 2, "; ") == 0 ? 2 : 0;
        if (line.compare(at, key.size() + 1, key + "=") != 0)
            continue;
        std::string v = line.substr(at + key.size() + 1);
        return v.size() >= 2 && v.front() == '"' && v.back() == '"' ? v.substr(1, v.size() - 2) : v;
    }
    return "<none>";
}

std::string InfValues(const std::string &inf, const std::vector<std::string> &keys)
{
    std::vector<std::string> lines = zvtest::ReadLines(inf);
    std::string joined;
    for (const std::string &key : keys)
        joined += (joined.empty() && &key == &keys[0] ? "" : "|") + InfValue(lines, key);
    return joined;
}

void Snap(const std::string &name)
{
    Sleep(500);   /* Wine hands a window's new contents to X a little later */
    zvtest::KeepScreen(name);
}

std::string JpegHeader(int w, int h)
{
    /* SOI; SOF0 of 8 bits, one component sampled 1x1; SOS; EOI */
    std::string s("\xFF\xD8\xFF\xC0\x00\x0B\x08", 7);
    s += {(char)(h >> 8), (char)h, (char)(w >> 8), (char)w};
    return s + std::string("\x01\x01\x11\x00\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00\xFF\xD9", 16);
}

} // namespace wiztest
