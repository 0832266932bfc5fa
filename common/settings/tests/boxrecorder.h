/*
 * boxrecorder.h - points the core's message-box seam at a recorder for the
 * life of one object, and the texts the failure boxes are built from.
 */
#ifndef ZV_BOXRECORDER_H
#define ZV_BOXRECORDER_H

#include <string>
#include <vector>

#include "settings.h"

namespace zv {

struct RECORDEDBOX { HWND owner; std::string text, caption; UINT type; };

class BoxRecorder {
public:
    BoxRecorder() : saved(pfnMessageBoxA) { boxes().clear(); answer(IDOK); pfnMessageBoxA = Record; }
    ~BoxRecorder() { pfnMessageBoxA = saved; }
    static std::vector<RECORDEDBOX> &boxes() { static std::vector<RECORDEDBOX> b; return b; }
    static void answer(int id) { Answer() = id; }

private:
    int (WINAPI *saved)(HWND, LPCSTR, LPCSTR, UINT);
    static int &Answer() { static int a; return a; }
    static int WINAPI Record(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
    {
        boxes().push_back(RECORDEDBOX{ owner, text, caption, type });
        return Answer();
    }
};

inline std::string SystemText(DWORD err)
{
    char buf[512];
    return FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, err,
                          LANG_USER_DEFAULT, buf, sizeof buf, NULL) ? buf : "";
}

/* The flavour's "file cannot be read" text for path, before the system text. */
inline std::string FileErrorLead(const std::string &path)
{
    return zvFlavor.idFileError == 40012 ? "Error reading " + path + ":\n\n"
                                         : "The specified file was not found: " + path + "\n\n";
}

} // namespace zv

#endif
