/*
 * wizfive.cpp - the default-action page (136): what the runtime does when
 * neither document nor viewer starts.  The choice is one text: "ECHO "
 * and a message, a program or document with its parameters, or nothing.
 */
#include "wizard.h"
#include "resource.h"
#include "asciitext.h"
#include "launch.h"

#include <stdio.h>

namespace zv {

static const char szEcho[] = "ECHO ";
/* a message is cut to this many characters */
enum { ECHOLEN = sizeof szEcho - 1, MESSAGELEN = 501 };

/* Only the chosen kind's field (and its browse button) can be edited. */
static void EnableFields(HWND page, WPARAM choice)
{
    EnableWindow(GetDlgItem(page, IDC_DAMESSAGETEXT), choice == IDC_DAMESSAGE);
    EnableWindow(GetDlgItem(page, IDC_DAOPENTEXT), choice == IDC_DAOPEN);
    EnableWindow(GetDlgItem(page, IDC_BROWSE), choice == IDC_DAOPEN);
}

static void OnInit(HWND page)
{
    const char *action = AutoRunInf.strDefaultAction;
    int choice;
    if (!action[0]) {
        choice = IDC_DANONE;
    } else if (StartsWithNoCase(action, szEcho)) {
        choice = IDC_DAMESSAGE;
        SetDlgItemTextA(page, IDC_DAMESSAGETEXT, action + ECHOLEN);
    } else {
        choice = IDC_DAOPEN;
        SetDlgItemTextA(page, IDC_DAOPENTEXT, action);
    }
    CheckRadioButton(page, IDC_DAMESSAGE, IDC_DANONE, choice);
    PostMessageA(page, WM_COMMAND, choice, 0);
}

/*
 * The program of an Open action made usable on the disc.  A text that
 * names a file as a whole (as the browse button leaves it, blanks and all)
 * is the program; any other text is split as the runtime splits it: only
 * the program goes through the copy step (a folder in it is kept), and the
 * parameters stay as typed.
 */
static void CopyProgram(HWND page, char *action, size_t size)
{
    char program[ARI_PATHLEN], params[ARI_PATHLEN + 1], copied[ARI_PATHLEN], result[ARI_PATHLEN];
    int whole = NamesProjectFile(AutoRunInf.strInfFile, action);
    if (whole) {
        strcpy_s(program, sizeof program, action);
        params[0] = '\0';
    } else if (OrderParams(action, "", program, sizeof program, params, sizeof params) != 0 || !program[0]) {
        return;
    }
    strcpy_s(copied, sizeof copied, program);
    CopyIfNeeded(page, AutoRunInf.strInfFile, copied, sizeof copied);
    /* a split program that stays as it was leaves the text as typed; a
     * whole one is quoted below whenever it holds a blank */
    if (!whole && strcmp(copied, program) == 0)
        return;
    /* the split adds one blank after the parameters */
    size_t n = strlen(params);
    if (n > 0 && params[n - 1] == ' ')
        params[n - 1] = '\0';
    /* the runtime splits an unquoted command at its first blank */
    const char *quote = strpbrk(copied, " \t") ? "\"" : "";
    int len = snprintf(result, sizeof result, "%s%s%s%s%s", quote, copied, quote, params[0] ? " " : "", params);
    if (len > 0 && (size_t)len < sizeof result)
        strcpy_s(action, size, result);
    else if (whole)
        strcpy_s(action, size, copied);
}

static int Store(HWND page)
{
    char *action = AutoRunInf.strDefaultAction;
    const size_t size = sizeof AutoRunInf.strDefaultAction;
    if (IsDlgButtonChecked(page, IDC_DAMESSAGE) == BST_CHECKED) {
        char text[MESSAGELEN + 1];
        GetDlgItemTextA(page, IDC_DAMESSAGETEXT, text, sizeof text);
        snprintf(action, size, "%s%s", szEcho, text);
    } else if (IsDlgButtonChecked(page, IDC_DAOPEN) == BST_CHECKED) {
        GetDlgItemTextA(page, IDC_DAOPENTEXT, action, (int)size);
        CopyProgram(page, action, size);
    } else {
        action[0] = '\0';
    }
    return 1;
}

static void Browse(HWND page, WPARAM)
{
    BrowseIntoEdit(page, IDC_DAOPENTEXT, IDS_SELECTVIEWER);
}

static const PAGECOMMAND commands[] = {
    { IDC_DAMESSAGE, EnableFields },
    { IDC_DAOPEN, EnableFields },
    { IDC_DANONE, EnableFields },
    { IDC_BROWSE, Browse },
};
static const PAGEDEF wizFive = { OnInit, Store, commands, sizeof commands / sizeof commands[0], NULL };

INT_PTR CALLBACK WizFive(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizFive, page, msg, wParam, lParam);
}

} // namespace zv
