/*
 * menu.h - ZVMenu's model and its steps: the option record and item table
 * read from the menu file, the window of buttons, item starts and the run
 * records in the registry.  Everything but WinMain lives in the zvmenu
 * library, so tests can drive the steps in-process.
 *
 * The menu's own message box and file probe share their names with the
 * settings core's, so the menu lives in namespace zv::menu.
 */
#ifndef ZV_MENU_H
#define ZV_MENU_H

#include <windows.h>

namespace zv {
namespace menu {

enum {
    MAXAPPS = 8,
    MENUTEXTLEN = 48,
    COMMANDLEN = 260,
    PATHLEN = 256,
    TITLELEN = 64,
    FONTLEN = 64,
    FACELEN = 32,          /* LOGFONT's face: 31 characters and the terminator */
    KEYLEN = 128,
    ARGLEN = 256,          /* the command line's menu file, at most */
    WINDOWWIDTH = 480,
    ROWHEIGHT = 56,
};

struct MENUOPTIONS {
    HINSTANCE hInstance;
    HWND hwndCopyright;
    HICON hIconSmall;
    HBITMAP hbmBackground;
    HBITMAP hbmWindow;
    BITMAP bmBackground;
    BITMAP bmWindow;
    int nTileMode;          /* 0 stretch, 1 tile, 2 centre */
    int bCheckmarks;
    int bHideCopyright;
    int nLayout;            /* 0 window, 1 and 2 dialogs */
    int nApps;
    int nMusic;             /* MUSIC_PLAYING while music plays, else 0 */
    char szIniDir[PATHLEN];
    char szBackground[PATHLEN];
    char szCopyright[PATHLEN];
    char szFont[FONTLEN];
    int nFontSize;
    char szDefaultAction[PATHLEN];
    char szIniFile[PATHLEN];
    char szTitle[TITLELEN];
    COLORREF crButton;
    COLORREF crClick;
};

struct MENUAPP {
    char szMenuText[MENUTEXTLEN];
    char szCommand[COMMANDLEN];
    HICON hIcon;
    int bRunOnce, bHasRun, bMaximize, bExit, bMenu;
    HWND hwndButton;
    int nItem;              /* its number in the menu file: names its run record */
    char szMenuArg[COMMANDLEN]; /* a "{MENU}" item's argument, named when its command does not fit */
};

extern MENUOPTIONS sOptions;
extern MENUAPP sAppList[MAXAPPS];
extern char ZVMENU_KEY[KEYLEN];
extern char MyClass[32];

/* registry parent of every menu file's run records */
extern const char szRecordsParent[];

enum { ID_FIRSTITEM = 100, ID_COPYRIGHT = -1, ID_MENU_CLOSE = 3599, ID_MENU_RELOAD = 3851 };

/* ---- colours (colors.cpp) ---- */

struct COLORNAME {
    const char *pszName;
    DWORD rgb;              /* 0xRRGGBB */
};
extern const COLORNAME sColors[140];

COLORREF TranslateColors(const char *text);
COLORREF reorder(DWORD rgb);
COLORREF hex2dword(const char *text);

/* ---- menu file (menufile.cpp) ---- */

/* Loads the menu file that atom names (0: the default one) and shows it;
 * the menu window, or NULL when none shows. */
HWND ReinitMenu(HWND hwnd, ATOM atom, HINSTANCE hInstance);
/* A yes/no value: "YES" in any case or a leading number that is not 0. */
int YesNo(const char *value);

/* ---- item start and messages (perform.cpp) ---- */

int Perform(HWND owner, const char *command, int maximize);
/* A pressed item of the window: Perform, or the failure box for a "{MENU}"
 * item whose command did not fit; 1 when it counts as run. */
int PerformItem(HWND owner, const MENUAPP *app);
int NotifyUserSE(HWND owner, UINT id, const char *arg);
int FileExists(const char *path);
int index(const char *text, const char *pattern);
int indexi(const char *text, const char *pattern);

/* Every box of the menu goes through this; tests may record instead. */
extern int (WINAPI *pfnMenuMessageBoxA)(HWND, LPCSTR, LPCSTR, UINT);

/* ---- run records (runrecords.cpp) ---- */

int CreateHKCUKey(const char *subkey);
int SetHKCUKey(const char *subkey, const char *name, const char *text, DWORD type);
int QueryHKCUKey(const char *subkey, const char *name, char *buffer, DWORD *size, DWORD *type);
int DeleteHKCUKey(const char *parent, const char *subkey);
/* The value read counts as "has run": "YES" or a 32-bit number not 0. */
int RecordSaysRun(const char *data, DWORD size, DWORD type);
/* Deletes the current menu file's records (the key they were written to). */
void DeleteRunRecords(void);
void WriteRunRecord(int nItem);

/* ---- the window (menuwindow.cpp) ---- */

HWND BuildMenuWindow(HWND hwnd, HINSTANCE hInstance);
int CreateBackgroundBitmap(HWND target);
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
int RegisterMenuClass(HINSTANCE hInstance);
/* Takes down what the loaded menu made: copyright line, buttons, icons. */
void ClearMenuControls(void);
/* Lets go of all the menu holds once its window is gone: music, controls,
 * run records, a deferred reload, pictures and fonts.  Safe to call again. */
void EndWindow(void);

/* ---- dialog layouts (menudialog.cpp) ---- */

/* Runs the dialog of layout 1 or 2 (template 121 or 122) modally; the id
 * that ended it. */
INT_PTR ZVMenuDialog(HWND owner, int layout);
INT_PTR CALLBACK ZVMenuDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* ---- icon readers (iconread.cpp) ---- */

/* One image of an icon: a heap copy of the whole image (header, colour
 * table, colour bits, mask bits) and where its parts lie in it. */
struct ICONSETIMAGE {
    UINT Width, Height, Colors;   /* the picture's width, height and bits a pixel */
    LPBYTE lpBits;
    DWORD dwNumBytes;
    LPBITMAPINFO lpbi;            /* an info or a core header */
    LPBYTE lpXOR;
    LPBYTE lpAND;                 /* NULL: the image has no mask */
};

/* All images of one icon; allocated for nNumImages entries. */
struct ICONSET {
    int nNumImages;
    ICONSETIMAGE IconImages[1];
};

extern int nEnumNr;

/* Every image of an .ICO file, or NULL after the box. */
ICONSET *ReadIconFromICOFile(const char *path);
/* The n-th icon group (from 1) of a program or library; NULL past the
 * last group (no box) or after the box. */
ICONSET *ReadIconFromEXEFile(const char *path, int n);
/* Frees a set and every image in it; NULL is fine. */
void FreeIconSet(ICONSET *set);
HICON MakeIconFromResource(const ICONSETIMAGE *image);
BOOL CALLBACK MyEnumProcedure(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);
void ReadError(int number, const char *file);

/* ---- the program (menumain.cpp) ---- */

/* The first argument of a command line: quoted or up to a blank; at most
 * ARGLEN characters (a longer one counts as none). */
void FirstArgument(const char *cmdline, char *arg, size_t size);
/* WinMain's work: hand over to a running menu, or show the menu and run
 * its message loop; the exit code. */
int MenuMain(HINSTANCE hInstance, const char *cmdline);

} // namespace menu
} // namespace zv

#endif
