/*
 * wiztwelve.cpp - the legal-notice page (143): a caption with either a
 * short notice the author types or a licence-text file (RTF or text) with
 * the simple acceptance option.  The file edit and the text edit share one
 * place; the page shows one of them.
 */
#include "wizard.h"
#include "resource.h"

#include <stdlib.h>

namespace zv {

/* An escape is at most five bytes a character ("\#169"). */
enum { ESCAPEDMAX = 5 };

static void Show(HWND page, int id, BOOL show)
{
    ShowWindow(GetDlgItem(page, id), show ? SW_SHOW : SW_HIDE);
}

static void Enable(HWND page, int id, BOOL enable)
{
    EnableWindow(GetDlgItem(page, id), enable);
}

/* File mode shows the file edit and Simple Acceptance, text mode the
 * text edit. */
static void ShowMode(HWND page, BOOL file)
{
    Show(page, IDC_NOTICETEXT, !file);
    Show(page, IDC_LICENSEFILE, file);
    Show(page, IDC_SIMPLEACCEPT, file);
}

static void OnInit(HWND page)
{
    int file = AutoRunInf.strEULA[0] != '\0';
    int text = !file && AutoRunInf.pstrLNText && AutoRunInf.pstrLNText[0];

    EnableNextPrevious();
    CheckDlgButton(page, IDC_SHOWNOTICE, file || text ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_SHOWFILE, file ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(page, IDC_NOTICECAPTION, AutoRunInf.strLNCaption);
    if (file) {
        SetDlgItemTextA(page, IDC_LICENSEFILE, AutoRunInf.strEULA);
        CheckDlgButton(page, IDC_SIMPLEACCEPT, AutoRunInf.flgSimpleAccept ? BST_CHECKED : BST_UNCHECKED);
        Enable(page, IDC_LICENSEBROWSE, TRUE);
    } else if (text) {
        /* escaped: the author sees \n where a line breaks */
        SetDlgItemTextA(page, IDC_NOTICETEXT, AutoRunInf.pstrLNText);
        Enable(page, IDC_NOTICETEXT, TRUE);
        Enable(page, IDC_LICENSEBROWSE, FALSE);
    } else {
        /* no notice: the text mode's look, everything off */
        static const int off[] = { IDC_NOTICECAPTION, IDC_NOTICETEXT, IDC_SHOWFILE, IDC_LICENSEBROWSE,
                                   IDC_SIMPLEACCEPT };
        for (int id : off)
            Enable(page, id, FALSE);
    }
    ShowMode(page, file);
}

static void NoticeClicked(HWND page, WPARAM)
{
    BOOL on = IsBoxChecked(page, IDC_SHOWNOTICE);
    static const int ids[] = { IDC_NOTICECAPTION, IDC_NOTICETEXT, IDC_SHOWFILE, IDC_LICENSEFILE,
                               IDC_SIMPLEACCEPT };
    for (int id : ids)
        Enable(page, id, on);
    Enable(page, IDC_LICENSEBROWSE, on && IsBoxChecked(page, IDC_SHOWFILE));
}

static void FileClicked(HWND page, WPARAM)
{
    BOOL file = IsBoxChecked(page, IDC_SHOWFILE);
    Enable(page, IDC_LICENSEBROWSE, file);
    Enable(page, IDC_NOTICETEXT, !file);
    Enable(page, IDC_LICENSEFILE, file);
    Enable(page, IDC_SIMPLEACCEPT, file);
    ShowMode(page, file);
}

/* The name as picked: a licence text may stay where the author keeps it.
 * The project folder stays current, as the other pages' relative file
 * values are found from it. */
static void Browse(HWND page, WPARAM)
{
    if (GetFileName(hwndMain, IDS_LOCATELICENSE, AutoRunInf.strEULA, 0))
        SetDlgItemTextA(page, IDC_LICENSEFILE, AutoRunInf.strEULA);
    EnterProjectFolder(AutoRunInf.strInfFile);
}

/* The typed notice in its escaped one-line form; NULL without memory. */
static char *EscapedNotice(HWND page, unsigned length)
{
    size_t size = (size_t)length * ESCAPEDMAX + 1;
    char *block = (char *)calloc(size, 1);
    if (!block)
        return NULL;
    GetDlgItemTextA(page, IDC_NOTICETEXT, block, (int)length + 1);
    CoprPrintInplace(block, size);
    return block;
}

/* Without a notice the settings are not marked changed. */
static int Store(HWND page)
{
    free(AutoRunInf.pstrLNText);
    AutoRunInf.pstrLNText = NULL;
    AutoRunInf.strEULA[0] = '\0';
    AutoRunInf.strLNCaption[0] = '\0';
    if (!IsBoxChecked(page, IDC_SHOWNOTICE))
        return 0;

    GetDlgItemTextA(page, IDC_NOTICECAPTION, AutoRunInf.strLNCaption, sizeof AutoRunInf.strLNCaption);
    if (IsBoxChecked(page, IDC_SHOWFILE)) {
        GetDlgItemTextA(page, IDC_LICENSEFILE, AutoRunInf.strEULA, sizeof AutoRunInf.strEULA);
        AutoRunInf.flgSimpleAccept = IsBoxChecked(page, IDC_SIMPLEACCEPT) ? -1 : 0;
    } else {
        AutoRunInf.flgSimpleAccept = 0;
        AutoRunInf.uLNTextLen = (unsigned)GetWindowTextLengthA(GetDlgItem(page, IDC_NOTICETEXT));
        if (AutoRunInf.uLNTextLen)
            AutoRunInf.pstrLNText = EscapedNotice(page, AutoRunInf.uLNTextLen);
    }
    return 1;
}

static const PAGECOMMAND commands[] = {
    { IDC_SHOWNOTICE, NoticeClicked },
    { IDC_SHOWFILE, FileClicked },
    { IDC_LICENSEBROWSE, Browse },
};
static const PAGEDEF wizTwelve = { OnInit, Store, commands, sizeof commands / sizeof commands[0], NULL };

INT_PTR CALLBACK WizTwelve(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizTwelve, page, msg, wParam, lParam);
}

} // namespace zv
