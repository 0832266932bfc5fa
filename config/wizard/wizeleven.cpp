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

static void OnInit(HWND page)
{
    char name[ARI_PATHLEN];
    int on = AutoRunInf.strMusic[0] != '\0';

    EnableNextPrevious();
    CheckDlgButton(page, IDC_PLAYSOUND, on ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(page, IDC_MUSICFILE, AutoRunInf.strMusic);
    SetDlgItemInt(page, IDC_MUSICLENGTH, AutoRunInf.uMusicLen, FALSE);
    EnableMusic(page, on);
    EnablePreview(page, on && MusicExists(page, name));
    EnableFrameButton(IDC_NEXT, TRUE);
    hiPlay = ButtonIcon(page, IDC_PLAY, IDI_PLAY);
    hiStop = ButtonIcon(page, IDC_STOP, IDI_STOP);
}

static void Browse(HWND page, WPARAM)
{
    char exists[ARI_PATHLEN];
    if (BrowseIntoEdit(page, IDC_MUSICFILE, IDS_SELECTMUSIC))
        EnablePreview(page, MusicExists(page, exists));
}

static void Play(HWND page, WPARAM)
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

static int Store(HWND page)
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
    return 1;
}

static void SoundClicked(HWND page, WPARAM)
{
    char name[ARI_PATHLEN];
    EnableMusic(page, IsBoxChecked(page, IDC_PLAYSOUND));
    EnablePreview(page, MusicExists(page, name) && IsBoxChecked(page, IDC_PLAYSOUND));
    fMusicPlaying = preview::StopMusic(fMusicPlaying);
}

static void MusicFileLeft(HWND page, WPARAM)
{
    char name[ARI_PATHLEN];
    EnablePreview(page, MusicExists(page, name));
}

static void Stop(HWND page, WPARAM)
{
    char name[ARI_PATHLEN];
    fMusicPlaying = preview::StopMusic(fMusicPlaying);
    EnableWindow(GetDlgItem(page, IDC_PLAY), MusicExists(page, name));
}

/* the preview does not outlive the page */
static INT_PTR OnMessage(HWND, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_DESTROY) {
        fMusicPlaying = preview::StopMusic(fMusicPlaying);
        DestroyIcon(hiPlay);
        DestroyIcon(hiStop);
        hiPlay = hiStop = NULL;
    }
    return 0;
}

static const PAGECOMMAND commands[] = {
    { MAKEWPARAM(IDC_PLAYSOUND, ANYNOTIFICATION), SoundClicked },
    { IDC_MUSICBROWSE, Browse },
    { MAKEWPARAM(IDC_MUSICFILE, EN_KILLFOCUS), MusicFileLeft },
    { IDC_PLAY, Play },
    { IDC_STOP, Stop },
};
static const PAGEDEF wizEleven = { OnInit, Store, commands, sizeof commands / sizeof commands[0], OnMessage };

INT_PTR CALLBACK WizEleven(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizEleven, page, msg, wParam, lParam);
}

} // namespace zv
