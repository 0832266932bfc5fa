/*
 * eula.cpp - the licence-text dialog.  The text is streamed into a rich
 * edit control; a file that cannot be opened, that the control would
 * crash or stall on, or of which it shows nothing, is replaced by the
 * built-in page, which names it.  "I Agree" waits for the check box unless the
 * settings ask for simple acceptance.
 */
#include "eula.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "resource.h"
#include "rtfcheck.h"
#include "settings.h"

namespace zv {

static const char szVersionText[] = "3.2.140";
static const char szCopyrightLine[] = "Copyright (C) The Zorvan Authors";

enum { SYMBOLLEN = 48, LOGREASONLEN = 128 };

char *DoSymRep(char *text, const char *name, const char *value)
{
    char pattern[SYMBOLLEN];
    int n = snprintf(pattern, sizeof pattern, "%%%s%%", name);
    /* a cut pattern would match the wrong thing */
    if (n <= 0 || (size_t)n >= sizeof pattern)
        return NULL;

    const unsigned char *pat = (const unsigned char *)pattern;
    const unsigned char *start = (const unsigned char *)text;
    size_t plen = (size_t)n, tlen = strlen(text), vlen = value ? strlen(value) : 0;
    size_t count = 0;

    for (const unsigned char *p = start, *hit;
         (hit = boyermoore_horspool_memmem(p, tlen - (size_t)(p - start), pat, plen)) != NULL;
         p = hit + plen)
        count++;
    if (count == 0)
        return NULL;
    if (vlen > plen && count > (SIZE_MAX - tlen - 1) / (vlen - plen))
        return NULL;

    char *out = (char *)calloc(tlen - count * plen + count * vlen + 1, 1);
    if (!out)
        return NULL;
    /* inserted values are never searched again */
    char *dst = out;
    const unsigned char *p = start, *hit;
    while ((hit = boyermoore_horspool_memmem(p, tlen - (size_t)(p - start), pat, plen)) != NULL) {
        memcpy(dst, p, (size_t)(hit - p));
        dst += hit - p;
        if (vlen)
            memcpy(dst, value, vlen);
        dst += vlen;
        p = hit + plen;
    }
    memcpy(dst, p, tlen - (size_t)(p - start));
    free(text);
    return out;
}

/* The name as RTF text: its backslashes and braces would otherwise be read
 * as control words and groups. */
static char *EscapeRtf(const char *text)
{
    size_t len = 0;
    for (const char *s = text; *s; s++)
        len += (*s == '\\' || *s == '{' || *s == '}') ? 2 : 1;
    char *out = (char *)malloc(len + 1);
    if (!out)
        return NULL;
    char *d = out;
    for (const char *s = text; *s; s++) {
        if (*s == '\\' || *s == '{' || *s == '}')
            *d++ = '\\';
        *d++ = *s;
    }
    *d = '\0';
    return out;
}

static void ReplaceSymbol(char **text, const char *name, const char *value)
{
    char *replaced = DoSymRep(*text, name, value);
    if (replaced)
        *text = replaced;
}

char *LoadTextFromResource(const char *name, const char *path)
{
    HRSRC res = FindResourceA(hPgmInstance, name, "RTF");
    HGLOBAL block = res ? LoadResource(hPgmInstance, res) : NULL;
    const char *data = block ? (const char *)LockResource(block) : NULL;
    if (!data)
        return NULL;

    /* the page ends at its NUL or at the resource's end, whichever is first */
    size_t len = strnlen(data, SizeofResource(hPgmInstance, res));
    char *text = (char *)malloc(len + 1);
    if (!text)
        return NULL;
    memcpy(text, data, len);
    text[len] = '\0';

    char *escaped = EscapeRtf(path ? path : "");
    ReplaceSymbol(&text, "filename", escaped ? escaped : "");
    free(escaped);
    ReplaceSymbol(&text, "_VER_STRING", szVersionText);
    ReplaceSymbol(&text, "_VS_COPYRIGHT_STRING", szCopyrightLine);
    return text;
}

DWORD CALLBACK EditStreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG *given)
{
    DWORD got = 0;

    *given = 0;
    if (wanted <= 0)
        return 0;
    if (!ReadFile((HANDLE)cookie, buffer, (DWORD)wanted, &got, NULL))
        return 1;
    *given = (LONG)got;
    return 0;
}

DWORD CALLBACK StreaminTextCallback(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG *given)
{
    char *text = (char *)cookie;
    size_t len = strlen(text);

    *given = 0;
    if (wanted <= 0)
        return 0;
    if (len < (size_t)wanted) {
        memcpy(buffer, text, len + 1);
        *given = (LONG)len;
        text[0] = '\0';
    } else {
        memcpy(buffer, text, (size_t)wanted);
        memmove(text, text + wanted, len - (size_t)wanted + 1);
        *given = wanted;
    }
    return 0;
}

static BOOL StreamIn(HWND richEdit, WPARAM format, DWORD_PTR cookie, EDITSTREAMCALLBACK callback)
{
    EDITSTREAM stream;

    stream.dwCookie = cookie;
    stream.dwError = 0;
    stream.pfnCallback = callback;
    LRESULT count = SendMessageA(richEdit, EM_STREAMIN, format, (LPARAM)&stream);
    return count != 0 && stream.dwError == 0;
}

/* The log's line for a licence refused for fault, worded as the
 * runtime's other read failures. */
static void LogRefused(AUTORUNINF *settings, const char *path, int fault)
{
    char why[LOGREASONLEN];

    if (!settings)
        return;
    if (fault == RTF_WHOLE) {
        LogSysErr(settings, IDS_READERROR, path);
        return;
    }
    RtfFaultText(fault, why, sizeof why);
    Logf(settings, "Error reading %s:\n\n%s", path, why);
}

/* A licence file that the control's reader would crash or stall on is
 * refused like one that cannot be read: the built-in page names it, and
 * the log (when settings has one) says why. */
static int RtfReadable(HANDLE file, const char *path, AUTORUNINF *settings)
{
    int fault = RTF_WHOLE;

    if (RtfFileFits(file, &fault))
        return 1;
    LogRefused(settings, path, fault);
    return 0;
}

/* The file streamed in; 0 when the control kept nothing of a file that
 * has bytes (a code page it cannot use drops them all). */
static int StreamedFile(HWND richEdit, HANDLE file, WPARAM format, const char *path, AUTORUNINF *settings)
{
    LARGE_INTEGER size;

    SetFilePointer(file, 0, NULL, FILE_BEGIN);
    StreamIn(richEdit, format, (DWORD_PTR)file, EditStreamCallback);
    if (GetWindowTextLengthA(richEdit) > 0 || !GetFileSizeEx(file, &size) || size.QuadPart == 0)
        return 1;
    LogRefused(settings, path, RTF_SHOWS_NOTHING);
    return 0;
}

static BOOL FillFromFile(HWND richEdit, const char *path, AUTORUNINF *settings)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    WPARAM format = SF_TEXT;

    if (file != INVALID_HANDLE_VALUE) {
        char head[5];
        DWORD got = 0;

        /* a file shorter than the mark is text, whatever the buffer held */
        if (ReadFile(file, head, sizeof head, &got, NULL) && got == sizeof head &&
            memcmp(head, "{\\rtf", sizeof head) == 0)
            format = SF_RTF;
        if (format == SF_RTF && !RtfReadable(file, path, settings)) {
            CloseHandle(file);
            file = INVALID_HANDLE_VALUE;
        }
    }
    if (file != INVALID_HANDLE_VALUE) {
        int shown = StreamedFile(richEdit, file, format, path, settings);
        CloseHandle(file);
        if (shown)
            return TRUE;
    }

    char *page = LoadTextFromResource(MAKEINTRESOURCEA(IDR_EULAPAGE), path);
    if (!page)
        return FALSE;
    BOOL ok = StreamIn(richEdit, SF_RTF, (DWORD_PTR)page, StreaminTextCallback);
    free(page);
    return ok;
}

BOOL FillRichEditFromFile(HWND richEdit, const char *path)
{
    return FillFromFile(richEdit, path, NULL);
}

static void InitEULADialog(HWND hwnd, AUTORUNINF *settings)
{
    HWND text = GetDlgItem(hwnd, IDC_EULATEXT);
    POINT top = {0, 0};

    SetWindowTextA(hwnd, settings->strLNCaption);
    FillFromFile(text, settings->strEULA, settings);
    SendMessageA(text, EM_SETSCROLLPOS, 0, (LPARAM)&top);
    SendMessageA(text, EM_SCROLLCARET, 0, 0);
    SendMessageA(text, EM_AUTOURLDETECT, FALSE, 0);
    SendMessageA(text, EM_SETSEL, (WPARAM)-1, 0);
    SendMessageA(text, EM_HIDESELECTION, TRUE, 0);
    SendMessageA(text, EM_SETREADONLY, TRUE, 0);
    if (settings->flgSimpleAccept) {
        ShowWindow(GetDlgItem(hwnd, IDC_EULACHECK), SW_HIDE);
        EnableWindow(GetDlgItem(hwnd, IDOK), TRUE);
    }
    SetFocus(GetDlgItem(hwnd, IDCANCEL));
}

INT_PTR CALLBACK EULADlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitEULADialog(hwnd, (AUTORUNINF *)lParam);
        return FALSE; /* the focus is set */
    case WM_COMMAND:
        /* whole wParam: only clicks act, not the check box's focus notices */
        if (wParam == IDOK || wParam == IDCANCEL)
            EndDialog(hwnd, (INT_PTR)wParam);
        else if (wParam == IDC_EULACHECK)
            EnableWindow(GetDlgItem(hwnd, IDOK),
                         IsDlgButtonChecked(hwnd, IDC_EULACHECK) == BST_CHECKED);
        return TRUE;
    }
    return FALSE;
}

INT_PTR EULADialog(HINSTANCE hInstance, AUTORUNINF *settings)
{
    const char *name = "EULA";

    /* the newer rich edit first; both libraries stay loaded */
    if (!LoadLibraryA("msftedit.dll")) {
        LoadLibraryA("riched20.dll");
        name = "EULAXP";
    }
    return DialogBoxParamA(hInstance, name, GetDesktopWindow(), EULADlgProc, (LPARAM)settings);
}

} // namespace zv
