/*
 * autocopy.cpp - the Auto-Copy dialog (115): may a file from outside the
 * project folder be copied into it?  "Yes, Always" holds for the rest of
 * the project; the first page forgets it.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

static int flagYesAlways = 0;

int ACDAlways(void) { return flagYesAlways; }
void ACDlgInit(void) { flagYesAlways = 0; }

/* Yes: a file of the same name already in the folder is replaced only
 * when the author says so; the dialog's result is then No when the copy
 * did not happen, so the value keeps pointing at the source. */
static INT_PTR AnswerYes(HWND dialog, const AUTOCOPYINFO *info)
{
    SetCurrentDirectoryA(info->pszProject);
    if (FileExists(info->pszDestination) &&
        WizardBox(dialog, IDS_REPLACEFILE, info->pszDestination, MB_YESNO | MB_ICONQUESTION) == IDYES &&
        !CopyIntoProject(dialog, info->pszSource, info->pszDestination, TRUE))
        return IDNO;
    return IDYES;
}

INT_PTR CALLBACK DlgAutoCopy(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const AUTOCOPYINFO *info = (const AUTOCOPYINFO *)GetWindowLongPtrA(dialog, DWLP_USER);

    switch (msg) {
    case WM_INITDIALOG:
        info = (const AUTOCOPYINFO *)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, IDC_ACSOURCE, info->pszSource);
        SetDlgItemTextA(dialog, IDC_ACFOLDER, info->pszProject);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDNO:
        case IDCANCEL:  /* Esc and the close box: nothing copied, nothing replaced */
            EndDialog(dialog, IDNO);
            return TRUE;
        case IDYESALWAYS:
            flagYesAlways = 1;
            EndDialog(dialog, AnswerYes(dialog, info) == IDYES ? IDYESALWAYS : IDNO);
            return TRUE;
        case IDYES:
            EndDialog(dialog, AnswerYes(dialog, info));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace zv
