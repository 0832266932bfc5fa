/*
 * menufile.cpp - ReinitMenu: take the old menu down, read the menu file's
 * [Options] and [ZVMenu] into sOptions and sAppList, and show the result
 * as the window or a dialog layout.
 */
#include "menu.h"

#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "asciitext.h"
#include "filecheck.h"
#include "launch.h"
#include "music.h"
#include "pictures.h"
#include "resource.h"
#include "safestr.h"
#include "settings.h"

namespace zv {
namespace menu {

MENUOPTIONS sOptions;
MENUAPP sAppList[MAXAPPS];
char ZVMENU_KEY[KEYLEN];

static const char szOptions[] = "Options";
static const char szItems[] = "ZVMenu";

static void ReadText(const char *section, const char *key, const char *def, char *out, DWORD size)
{
    GetPrivateProfileStringA(section, key, def, out, size, sOptions.szIniFile);
}

int YesNo(const char *value)
{
    return SameTextNoCase(value, "YES") || strtol(value, NULL, 10) != 0;
}

static int ReadYesNo(const char *section, const char *key, const char *def)
{
    char value[64];

    ReadText(section, key, def, value, sizeof value);
    return YesNo(value);
}

/* An icon handle or NULL.  ExtractIconA answers a file without icons
 * with 1, which is no icon.  A damaged icon file, and an index that is no
 * icon of it, never reach it. */
static HICON IconOf(HINSTANCE hInstance, const char *file, UINT index)
{
    if (!IconSourceLoadable(file, index))
        return NULL;
    HICON icon = ExtractIconA(hInstance, file, index);
    return (UINT_PTR)icon > 1 ? icon : NULL;
}

/* "file" or "file,index"; a value of commas only is all file. */
static HICON IconFromValue(HINSTANCE hInstance, const char *value)
{
    char file[PATHLEN];
    UINT index = 0;

    if (strcpy_s(file, sizeof file, value))
        return NULL;
    char *comma = strchr(file, ',');
    if (comma && strspn(file, ",") != strlen(file)) {
        *comma = '\0';
        index = (UINT)strtoul(comma + 1, NULL, 10);
    }
    return IconOf(hInstance, file, index);
}

/* The program's own full path; 0 when it does not fit. */
static int ProgramPath(char *out, DWORD size)
{
    DWORD n = GetModuleFileNameA(NULL, out, size);
    return n > 0 && n < size;
}

/* The program's own path with another file name; 0 when it does not fit. */
static int BesideProgram(const char *name, char *out, size_t size)
{
    char module[MAX_PATH];

    if (!ProgramPath(module, sizeof module))
        return 0;
    char *slash = strrchr(module, '\\');
    if (slash)
        slash[1] = '\0';
    return strcpy_s(out, size, module) == 0 && strcat_s(out, size, name) == 0;
}

static void DefaultCopyright(char *out, size_t size)
{
    snprintf(out, size, "%s %s - %s - %s", "ZVMenu", "4.3.094", "\\#169 The Zorvan Authors",
             "zorvan.example.org");
}

/* Step 7: the background picture, or the layout's built-in one. */
static void LoadBackground(HINSTANCE hInstance)
{
    char value[PATHLEN];

    if (sOptions.hbmBackground)
        DeleteObject(sOptions.hbmBackground);
    sOptions.hbmBackground = NULL;
    memset(&sOptions.bmBackground, 0, sizeof sOptions.bmBackground);

    ReadText(szOptions, "Background", "", value, sizeof value);
    if (value[0]) {
        char upper[PATHLEN];
        strcpy_s(sOptions.szBackground, sizeof sOptions.szBackground, value);
        strcpy_s(upper, sizeof upper, value);
        _strupr_s(upper, sizeof upper);
        if (strstr(upper, ".JPG") || strstr(upper, ".JPEG"))
            sOptions.hbmBackground = LoadJPEG(value);
        else if (strstr(upper, ".PNG"))
            sOptions.hbmBackground = LoadPNG(value);
        else   /* a damaged one never reaches the platform */
            sOptions.hbmBackground = LoadBitmapFile(value);
        if (!sOptions.hbmBackground)
            NotifyUserSE(GetDesktopWindow(), IDS_FILENOTFOUND, sOptions.szBackground);
    } else {
        sOptions.szBackground[0] = '\0';
        if (sOptions.nLayout == 1)
            sOptions.hbmBackground = LoadPNGImage(hInstance, MAKEINTRESOURCEA(IDP_LOGO_LAYOUT1));
        else if (sOptions.nLayout == 2)
            sOptions.hbmBackground = LoadPNGImage(hInstance, MAKEINTRESOURCEA(IDP_LOGO_LAYOUT2));
    }
    if (sOptions.hbmBackground)
        GetObjectA(sOptions.hbmBackground, sizeof sOptions.bmBackground, &sOptions.bmBackground);
}

/* Step 8: the small icon of the window or dialog. */
static void LoadSmallIcon(HWND hwnd, HINSTANCE hInstance)
{
    char value[PATHLEN];
    HICON old = sOptions.hIconSmall;
    HICON icon = NULL;

    ReadText(szOptions, "Icon", "", value, sizeof value);
    if (value[0])
        icon = IconFromValue(hInstance, value);
    if (!icon)
        icon = (HICON)LoadImageA(hInstance, "SMALLICON", IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
    sOptions.hIconSmall = icon;
    /* the class must not point at the old icon once it is gone */
    if (hwnd)
        SetClassLongPtrA(hwnd, GCLP_HICONSM, (LONG_PTR)icon);
    if (old)
        DestroyIcon(old);
}

/* Step 9: new music replaces the old; a file without Music keeps it. */
static void StartMusic(void)
{
    char value[PATHLEN];

    ReadText(szOptions, "Music", "", value, sizeof value);
    if (!value[0])
        return;
    /* the alias is held while anything plays (or failed to play) */
    sOptions.nMusic = StopMusic();
    sOptions.nMusic = PlayMusic(value);
}

static void ReadLook(void)
{
    char value[PATHLEN];

    ReadText(szOptions, "Font", "Tahoma", sOptions.szFont, sizeof sOptions.szFont);
    /* a font description holds 31 characters: a longer face cannot be had */
    if (strlen(sOptions.szFont) >= FACELEN)
        strcpy_s(sOptions.szFont, sizeof sOptions.szFont, "Tahoma");
    sOptions.nFontSize = (int)GetPrivateProfileIntA(szOptions, "FontSize", 22, sOptions.szIniFile);
    sOptions.bHideCopyright = ReadYesNo(szOptions, "HideCopyright", "NO");
    if (sOptions.nLayout == 0) {
        sOptions.bCheckmarks = ReadYesNo(szOptions, "Checkmarks", "NO");
        ReadText(szOptions, "ButtonColor", "", value, sizeof value);
        sOptions.crButton = TranslateColors(value);
        ReadText(szOptions, "ClickColor", "#A00000", value, sizeof value);
        sOptions.crClick = TranslateColors(value);
    }
    ReadText(szOptions, "TileBackground", "0", value, sizeof value);
    switch (value[0]) {
    case '1': case 'T': case 't': sOptions.nTileMode = 1; break;
    case '2': case 'C': case 'c': sOptions.nTileMode = 2; break;
    default: sOptions.nTileMode = 0; break;
    }
    ReadText(szOptions, "DefaultAction", "", sOptions.szDefaultAction, sizeof sOptions.szDefaultAction);
}

/* The special forms of an item's command. */
static void ResolveCommand(MENUAPP *app, const char *value)
{
    app->szCommand[0] = '\0';
    if (SameTextNoCase(value, "{BACK}"))
        return;
    if (StartsWithNoCase(value, "{MENU}")) {
        char self[MAX_PATH], command[COMMANDLEN + MAX_PATH];
        /* the character after "{MENU}" is the separator; alone: no argument */
        const char *arg = strlen(value) > 7 ? value + 7 : "";
        app->bMenu = 1;
        /* kept for the box: pressing an item whose command did not fit */
        strcpy_s(app->szMenuArg, sizeof app->szMenuArg, arg);
        if (!ProgramPath(self, sizeof self))
            return;
        snprintf(command, sizeof command, "\"%s\" %s", self, arg);
        if (strcpy_s(app->szCommand, sizeof app->szCommand, command))
            app->szCommand[0] = '\0';
        return;
    }
    if (SameTextNoCase(value, "{EXIT}")) {
        app->bExit = 1;
        return;
    }
    strcpy_s(app->szCommand, sizeof app->szCommand, value);
}

static HICON ItemIcon(HINSTANCE hInstance, const MENUAPP *app, unsigned n)
{
    char key[16], value[PATHLEN];

    snprintf(key, sizeof key, "Icon%u", n);
    ReadText(szItems, key, "", value, sizeof value);
    if (value[0])
        return IconFromValue(hInstance, value);

    char upper[COMMANDLEN];
    strcpy_s(upper, sizeof upper, app->szCommand);
    _strupr_s(upper, sizeof upper);
    if (strstr(upper, ".BAT") || strstr(upper, ".CMD") || app->bExit)
        return NULL;
    char program[COMMANDLEN + 8], params[COMMANDLEN + 8];
    program[0] = '\0';
    OrderParams(upper, "", program, sizeof program, params, sizeof params);
    return program[0] ? IconOf(hInstance, program, 0) : NULL;
}

static int ReadHasRun(unsigned n)
{
    char name[16], data[256];
    DWORD size = sizeof data - 1, type = REG_NONE;

    snprintf(name, sizeof name, "HasRun%u", n);
    memset(data, 0, sizeof data);
    if (!QueryHKCUKey(ZVMENU_KEY, name, data, &size, &type))
        return 0;
    return RecordSaysRun(data, size, type);
}

/* Step 11: the items, packed in the order of their numbers. */
static int ReadItems(HINSTANCE hInstance)
{
    int taken = 0;

    memset(sAppList, 0, sizeof sAppList);
    for (unsigned n = 1; n <= MAXAPPS; n++) {
        MENUAPP *app = &sAppList[taken];
        char key[16], value[COMMANDLEN];

        snprintf(key, sizeof key, "MenuText%u", n);
        ReadText(szItems, key, "", app->szMenuText, sizeof app->szMenuText);
        if (!app->szMenuText[0])
            continue;
        snprintf(key, sizeof key, "Command%u", n);
        ReadText(szItems, key, "", value, sizeof value);
        ResolveCommand(app, value);
        app->hIcon = sOptions.nLayout == 0 ? ItemIcon(hInstance, app, n) : NULL;
        snprintf(key, sizeof key, "RunOnce%u", n);
        app->bRunOnce = ReadYesNo(szItems, key, "NO");
        snprintf(key, sizeof key, "Maximize%u", n);
        app->bMaximize = ReadYesNo(szItems, key, "NO");
        app->bHasRun = ReadHasRun(n);
        app->nItem = (int)n;
        taken++;
    }
    return taken;
}

/* Steps 3 and 4: the full path of the menu file, or 0 after the box. */
static int FindMenuFile(const char *requested)
{
    char name[PATHLEN];

    sOptions.szIniFile[0] = '\0';
    if (requested[0]) {
        strcpy_s(name, sizeof name, requested);
    } else if (!BesideProgram("ZVMENU.INI", name, sizeof name)) {
        /* the program's own path does not fit: no menu file beside it */
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        NotifyUserSE(GetDesktopWindow(), IDS_FILENOTFOUND, "ZVMENU.INI");
        return 0;
    }
    char *filePart = NULL;
    DWORD len = GetFullPathNameA(name, sizeof sOptions.szIniFile, sOptions.szIniFile, &filePart);
    if (len == 0 || len >= sizeof sOptions.szIniFile) {
        sOptions.szIniFile[0] = '\0';
        if (len)
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
        NotifyUserSE(GetDesktopWindow(), IDS_FILENOTFOUND, name);
        return 0;
    }
    if (!FileExists(sOptions.szIniFile)) {
        NotifyUserSE(GetDesktopWindow(), IDS_FILENOTFOUND, sOptions.szIniFile);
        return 0;
    }
    return 1;
}

/* A box of a reload lets the author close the menu window meanwhile: the
 * reload stops there, and what it made since goes as the window's went. */
static int WindowGone(HWND hwnd)
{
    return hwnd && !IsWindow(hwnd);
}

static HWND AbandonReload(void)
{
    EndWindow();
    return NULL;
}

HWND ReinitMenu(HWND hwnd, ATOM atom, HINSTANCE hInstance)
{
    char requested[PATHLEN];

    /* 1: the requested file; the atom is ours to delete */
    requested[0] = '\0';
    if (atom) {
        if (!GlobalGetAtomNameA(atom, requested, sizeof requested))
            requested[0] = '\0';
        GlobalDeleteAtom(atom);
    }

    /* 2: the old menu goes, with its run records */
    ClearMenuControls();
    DeleteRunRecords();
    ZVMENU_KEY[0] = '\0';
    if (sOptions.hbmWindow)
        DeleteObject(sOptions.hbmWindow);
    sOptions.hbmWindow = NULL;
    sOptions.nApps = 0;
    if (hwnd)
        InvalidateRect(hwnd, NULL, TRUE);

    /* 3, 4 */
    if (!FindMenuFile(requested))
        return NULL;

    /* 5: relative names in the file resolve against its folder */
    ConfigFolder(sOptions.szIniFile, sOptions.szIniDir, sizeof sOptions.szIniDir);
    SetCurrentDirectoryA(sOptions.szIniDir);
    snprintf(ZVMENU_KEY, sizeof ZVMENU_KEY, "%s\\%s", szRecordsParent, sOptions.szIniFile);
    /* a key cut at a folder's backslash must not end in one */
    for (size_t n = strlen(ZVMENU_KEY); n > 0 && ZVMENU_KEY[n - 1] == '\\'; n--)
        ZVMENU_KEY[n - 1] = '\0';

    /* 6 */
    char copyright[PATHLEN];
    DefaultCopyright(copyright, sizeof copyright);
    ReadText(szOptions, "Title", "Zorvan Menu", sOptions.szTitle, sizeof sOptions.szTitle);
    ReadText(szOptions, "Copyright", copyright, sOptions.szCopyright, sizeof sOptions.szCopyright);
    PreProcess(sOptions.szCopyright, sizeof sOptions.szCopyright);
    UINT layout = GetPrivateProfileIntA(szOptions, "Layout", 0, sOptions.szIniFile);
    sOptions.nLayout = layout > 2 ? 2 : (int)layout;

    /* 7 to 10 */
    LoadBackground(hInstance);
    if (WindowGone(hwnd))
        return AbandonReload();
    LoadSmallIcon(hwnd, hInstance);
    StartMusic();
    ReadLook();

    /* 11, 12 */
    sOptions.nApps = ReadItems(hInstance);
    if (WindowGone(hwnd))
        return AbandonReload();
    if (sOptions.nApps == 0)
        return NULL;

    /* 13 */
    if (sOptions.nLayout == 0)
        return BuildMenuWindow(hwnd, hInstance);
    if (hwnd)
        ShowWindow(hwnd, SW_HIDE);
    ZVMenuDialog(GetDesktopWindow(), sOptions.nLayout);
    if (sOptions.nMusic)
        sOptions.nMusic = StopMusic();
    if (hwnd)
        DestroyWindow(hwnd);
    return NULL;
}

} // namespace menu
} // namespace zv
