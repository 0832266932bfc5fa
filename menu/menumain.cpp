/*
 * menumain.cpp - the program's run: hand the menu file to a menu window
 * that already runs, or load it, show it and run the message loop.
 */
#include "menu.h"

#include <string.h>

namespace zv {
namespace menu {

void FirstArgument(const char *cmdline, char *arg, size_t size)
{
    const char *p = cmdline ? cmdline : "";
    const char *end;

    arg[0] = '\0';
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p == '"' || *p == '\'') {
        char quote = *p++;
        end = strchr(p, quote);
        if (!end)
            end = p + strlen(p);
    } else {
        end = p + strcspn(p, " \t");
    }
    size_t len = (size_t)(end - p);
    if (len > ARGLEN)
        len = ARGLEN;
    if (len >= size)
        return;
    memcpy(arg, p, len);
    arg[len] = '\0';
}

/* An argument that cannot become an atom counts as none. */
static ATOM ArgumentAtom(const char *arg)
{
    return arg[0] ? GlobalAddAtomA(arg) : 0;
}

static void HandOver(HWND running, const char *arg)
{
    ATOM atom = ArgumentAtom(arg);
    HWND popup = GetLastActivePopup(running);

    BringWindowToTop(running);
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    if (popup != running)
        BringWindowToTop(popup);
    /* the running menu deletes the atom */
    SendMessageA(running, WM_COMMAND, ID_MENU_RELOAD, atom);
}

int MenuMain(HINSTANCE hInstance, const char *cmdline)
{
    char arg[ARGLEN + 1];

    memset(&sOptions, 0, sizeof sOptions);
    sOptions.hInstance = hInstance;
    FirstArgument(cmdline, arg, sizeof arg);

    HWND running = FindWindowA(MyClass, NULL);
    if (running) {
        HandOver(running, arg);
        return 0;
    }
    if (!RegisterMenuClass(hInstance))
        return 0;
    if (!ReinitMenu(NULL, ArgumentAtom(arg), hInstance))
        return 0;

    MSG msg;
    msg.wParam = 0;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (sOptions.hIconSmall)
        DestroyIcon(sOptions.hIconSmall);
    sOptions.hIconSmall = NULL;
    return (int)msg.wParam;
}

} // namespace menu
} // namespace zv
