/*
 * wizeleven.cpp - the sound page (142): the music the runtime plays while
 * it works, its length, and a preview to listen to it.  The preview plays
 * only while the page shows.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

/* What the preview plays, and the pictures of its two buttons (made at
 * entry, destroyed with the page). */
static int fMusicPlaying = preview::PREVIEW_NONE;
static HICON hiPlay, hiStop;

/* The named music file exists; name gets the edit's text. */
static int MusicExists(HWND page, char (&name)[ARI_PATHLEN])
{
    GetDlgItemTextA(page, IDC_MUSICFILE, name, sizeof name);
    return name[0] && FileExists(name);
}

static void EnablePreview(HWND page, BOOL enable)
{
    EnableWindow(GetDlgItem(page, IDC_PLAY), enable);
    EnableWindow(GetDlgItem(page, IDC_STOP), enable);
}

static void EnableMusic(HWND page, BOOL enable)
{
    EnableWindow(GetDlgItem(page, IDC_MUSICFILE), enable);
    EnableWindow(GetDlgItem(page, IDC_MUSICLENGTH), enable);
    EnableWindow(GetDlgItem(page, IDC_MUSICBROWSE), enable);
}

static HICON ButtonIcon(HWND page, int id, int icon)
{
    HICON h = (HICON)LoadImageA(hPgmInstance, MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, LR_LOADMAP3DCOLORS);
    SendDlgItemMessageA(page, id, BM_SETIMAGE, IMAGE_ICON, (LPARAM)h);
    return h;
}

static void Enter(HWND page)
{
    char name[ARI_PATHLEN];
    int on = AutoRunInf.strMusic[0] != '\0';

    CheckDlgButton(page, IDC_PLAYSOUND, on ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(page, IDC_MUSICFILE, AutoRunInf.strMusic);
    SetDlgItemInt(page, IDC_MUSICLENGTH, AutoRunInf.uMusicLen, FALSE);
    EnableMusic(page, on);
    EnablePreview(page, on && MusicExists(page, name));
    EnableFrameButton(IDC_NEXT, TRUE);
    hiPlay = ButtonIcon(page, IDC_PLAY, IDI_PLAY);
    hiStop = ButtonIcon(page, IDC_STOP, IDI_STOP);
}

static void Browse(HWND page)
{
    char name[PATHLEN], exists[ARI_PATHLEN];
    GetDlgItemTextA(page, IDC_MUSICFILE, name, sizeof name);
    if (!GetFileName(hwndMain, IDS_SELECTMUSIC, name, 1))
        return;
    MakeRelativePathName(page, AutoRunInf.strInfFile, name);
    SetDlgItemTextA(page, IDC_MUSICFILE, name);
    EnablePreview(page, MusicExists(page, exists));
}

static void Play(HWND page)
{
    char name[ARI_PATHLEN];
    /* one preview at a time */
    if (fMusicPlaying != preview::PREVIEW_NONE)
        return;
    GetDlgItemTextA(page, IDC_MUSICFILE, name, sizeof name);
    fMusicPlaying = preview::PlayMusic(name);
    if (fMusicPlaying == preview::PREVIEW_WAVE)
        EnableWindow(GetDlgItem(page, IDC_PLAY), FALSE);
}

static void Store(HWND page)
{
    if (IsBoxChecked(page, IDC_PLAYSOUND)) {
        GetDlgItemTextA(page, IDC_MUSICFILE, AutoRunInf.strMusic, sizeof AutoRunInf.strMusic);
        AutoRunInf.uMusicLen = GetDlgItemInt(page, IDC_MUSICLENGTH, NULL, FALSE);
        if (AutoRunInf.uMusicLen == 0)
            AutoRunInf.uMusicLen = 1;
        CopyIfNeeded(page, AutoRunInf.strInfFile, AutoRunInf.strMusic, sizeof AutoRunInf.strMusic);
    } else {
        AutoRunInf.strMusic[0] = '\0';
        AutoRunInf.uMusicLen = AutoRunInf.uSplashLen;
    }
    SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
}

static void OnCommand(HWND page, WPARAM wParam)
{
    char name[ARI_PATHLEN];

    if (wParam == IDC_NEXT || wParam == IDC_PREVIOUS) {
        Store(page);
        return;
    }
    switch (LOWORD(wParam)) {
    case IDC_PLAYSOUND:
        EnableMusic(page, IsBoxChecked(page, IDC_PLAYSOUND));
        EnablePreview(page, MusicExists(page, name) && IsBoxChecked(page, IDC_PLAYSOUND));
        fMusicPlaying = preview::StopMusic(fMusicPlaying);
        break;
    case IDC_MUSICBROWSE:
        if (HIWORD(wParam) == BN_CLICKED)
            Browse(page);
        break;
    case IDC_MUSICFILE:
        if (HIWORD(wParam) == EN_KILLFOCUS)
            EnablePreview(page, MusicExists(page, name));
        break;
    case IDC_PLAY:
        if (HIWORD(wParam) == BN_CLICKED)
            Play(page);
        break;
    case IDC_STOP:
        if (HIWORD(wParam) == BN_CLICKED) {
            fMusicPlaying = preview::StopMusic(fMusicPlaying);
            EnableWindow(GetDlgItem(page, IDC_PLAY), MusicExists(page, name));
        }
        break;
    }
}

INT_PTR CALLBACK WizEleven(HWND page, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        PageProtocol(msg, wParam);
        Enter(page);
        break;
    case WM_COMMAND:
        OnCommand(page, wParam);
        break;
    case WM_DESTROY:
        fMusicPlaying = preview::StopMusic(fMusicPlaying);
        DestroyIcon(hiPlay);
        DestroyIcon(hiStop);
        hiPlay = hiStop = NULL;
        break;
    }
    return 0;
}

} // namespace zv
