/*
 * winmain.cpp - ZVConfig's entry: the wizard frame, run modally.
 */
#include "wizard.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    /* the pages' up-down and other common controls need their classes */
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    zv::RunWizard(hInstance);
    return 0;
}
