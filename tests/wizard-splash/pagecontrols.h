/*
 * pagecontrols.h - the current page's controls worked from outside (every
 * message is handled before the call returns: none of them opens a box),
 * the saved AUTORUN.INF read back, and a JPEG header to measure.
 */
#ifndef ZV_PAGECONTROLS_H
#define ZV_PAGECONTROLS_H

#include <string>
#include <vector>

#include "screen.h"
#include "wizdriver.h"

namespace wiztest {

inline HWND Item(const WIZARD &w, int id) { return GetDlgItem(Page(w), id); }

inline LRESULT SendTo(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &r);
    return (LRESULT)r;
}

inline void SetText(const WIZARD &w, int id, const std::string &text)
{
    SendTo(Item(w, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

/* As typing does it, with the multi-line edit's change notice. */
inline void TypeText(const WIZARD &w, int id, const std::string &text)
{
    SendTo(Item(w, id), EM_SETSEL, 0, -1);
    SendTo(Item(w, id), EM_REPLACESEL, FALSE, (LPARAM)text.c_str());
}

inline std::string Text(const WIZARD &w, int id) { return zvtest::WindowText(Item(w, id)); }
inline bool Checked(const WIZARD &w, int id) { return SendTo(Item(w, id), BM_GETCHECK) == BST_CHECKED; }
/* A click on a check box: it flips and tells the page. */
inline void Toggle(const WIZARD &w, int id) { SendTo(Item(w, id), BM_CLICK); }
inline bool Enabled(const WIZARD &w, int id) { return IsWindowEnabled(Item(w, id)) != FALSE; }
inline bool Shown(const WIZARD &w, int id) { return IsWindowVisible(Item(w, id)) != FALSE; }

inline void Press(const WIZARD &w, int id)
{
    SendTo(Page(w), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(w, id));
}

/* The enabled states of ids, "1" or "0" each. */
inline std::string States(const WIZARD &w, std::initializer_list<int> ids)
{
    std::string s;
    for (int id : ids)
        s += Enabled(w, id) ? "1" : "0";
    return s;
}

/* Next or Previous until page index to shows. */
inline bool GoTo(const WIZARD &w, int from, int to)
{
    for (int next; from != to; from = next) {
        next = from < to ? from + 1 : from - 1;
        Click(w, from < to ? NEXT : PREVIOUS);
        if (!WaitForPage(w, next))
            return false;
    }
    return true;
}

/* The values of keys (also of "; KEY=", written for an unused key),
 * unquoted, joined by '|'. */
inline std::string InfValues(const std::string &inf, const std::vector<std::string> &keys)
{
    std::vector<std::string> lines = zvtest::ReadLines(inf);
    std::string joined;
    for (size_t k = 0; k < keys.size(); k++) {
        std::string v = "<none>";
        for (const std::string &line : lines) {
            size_t at = line.compare(0, 2, "; ") == 0 ? 2 : 0;
            if (line.compare(at, keys[k].size() + 1, keys[k] + "=") == 0) {
                v = line.substr(at + keys[k].size() + 1);
                break;
            }
        }
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            v = v.substr(1, v.size() - 2);
        joined += (k ? "|" : "") + v;
    }
    return joined;
}

inline void Snap(const std::string &name)
{
    Sleep(500);   /* Wine hands a window's new contents to X a little later */
    zvtest::KeepScreen(name);
}

/* SOI; SOF0 of 8 bits, one component sampled 1x1; SOS; EOI: enough to measure. */
inline std::string JpegHeader(int w, int h)
{
    std::string s("\xFF\xD8\xFF\xC0\x00\x0B\x08", 7);
    s += {(char)(h >> 8), (char)h, (char)(w >> 8), (char)w};
    return s + std::string("\x01\x01\x11\x00\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00\xFF\xD9", 16);
}

} // namespace wiztest

#endif
