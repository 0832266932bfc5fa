/*
 * wiztwoptfive.cpp - the second AUTORUN page (133): what kinds of content
 * the disc holds, and the text Windows offers for starting it.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

/* Each check box and its bit of uContentFlags. */
static const struct {
    int id;
    DWORD bit;
} contentBoxes[] = {
    { IDC_MUSICFILES, CONTENT_MUSIC },
    { IDC_PICTUREFILES, CONTENT_PICTURES },
    { IDC_VIDEOFILES, CONTENT_VIDEO },
};

static void OnInit(HWND page)
{
    EnableFrameButton(IDC_PREVIOUS, TRUE);
    SetDlgItemTextA(page, IDC_ACTIONTEXT, AutoRunInf.strAction);
    for (const auto &box : contentBoxes)
        CheckDlgButton(page, box.id, (AutoRunInf.uContentFlags & box.bit) ? BST_CHECKED : BST_UNCHECKED);
}

static int Store(HWND page)
{
    GetDlgItemTextA(page, IDC_ACTIONTEXT, AutoRunInf.strAction, sizeof AutoRunInf.strAction);
    /* bits no box shows are not kept */
    AutoRunInf.uContentFlags = 0;
    for (const auto &box : contentBoxes)
        if (IsDlgButtonChecked(page, box.id) == BST_CHECKED)
            AutoRunInf.uContentFlags |= box.bit;
    return 1;
}

static const PAGEDEF wizTwoPtFive = { OnInit, Store, NULL, 0, NULL };

INT_PTR CALLBACK WizTwoPtFive(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizTwoPtFive, page, msg, wParam, lParam);
}

} // namespace zv
