/*
 * eula.h - the licence-text dialog: an RTF or plain-text file streamed
 * into a rich edit control, or the built-in page naming a file that could
 * not be read, and the user's agreement.
 */
#ifndef ZV_EULA_H
#define ZV_EULA_H

#include <windows.h>
#include <richedit.h>

#include "autoruninf.h"

namespace zv {

/* 1 agreed, 2 declined or closed, -1 no dialog (no rich edit class). */
INT_PTR EULADialog(HINSTANCE hInstance, AUTORUNINF *settings);
INT_PTR CALLBACK EULADlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

/* TRUE when the file, or the built-in page in its place, was streamed.
 * An RTF file beyond what the control's reader takes (rtfcheck.h), and a
 * file with bytes of which the control keeps nothing, get the page as a
 * file that cannot be read does. */
BOOL FillRichEditFromFile(HWND richEdit, const char *path);

/* The built-in page name (an "RTF" resource) with its symbols replaced,
 * path as the missing file's name; a heap text for free(), or NULL. */
char *LoadTextFromResource(const char *name, const char *path);

/* Replaces every %name% of a heap text by value: the new heap text, the
 * old one freed; NULL, the text untouched, when %name% does not occur. */
char *DoSymRep(char *text, const char *name, const char *value);

/* EM_STREAMIN readers: cookie a file handle, or the remaining heap text. */
DWORD CALLBACK EditStreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG *given);
DWORD CALLBACK StreaminTextCallback(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG *given);

} // namespace zv

#endif
