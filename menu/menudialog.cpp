/*
 * menudialog.cpp - the dialog layouts 1 and 2.  Their templates and logo
 * pictures are not part of the program yet: the dialog ends at once, so a
 * menu file of these layouts shows nothing and the program ends.
 */
#include "menu.h"

namespace zv {
namespace menu {

INT_PTR ZVMenuDialog(HWND, int)
{
    return IDCANCEL;
}

} // namespace menu
} // namespace zv
