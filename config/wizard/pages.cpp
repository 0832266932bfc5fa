/*
 * pages.cpp - what the pages ask of the frame's buttons and of their
 * own controls.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

void EnableNextPrevious(void)
{
    EnableFrameButton(IDC_NEXT, TRUE);
    EnableFrameButton(IDC_PREVIOUS, TRUE);
}

int IsBoxChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

} // namespace zv
