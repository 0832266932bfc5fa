/*
 * launch.h - what a configured command goes through before the shell's
 * "open" verb gets it: variable expansion, the program/parameter split and
 * local file addresses; plus the document start's zero-filled work buffers.
 */
#ifndef ZV_LAUNCH_H
#define ZV_LAUNCH_H

#include <stddef.h>

#include <windows.h>
#include <shellapi.h>

namespace zv {

/* flags of ReplaceVars */
enum { RV_ENVFOUND = 1, RV_DOCUMENT = 2 };

void *AllocMem(size_t size);
void FreeMem(void *block);

int ReplaceVars(const char *text, char *dst, size_t size, const char *document);
int OrderParams(const char *command, const char *extra, char *program, size_t programSize,
                char *params, size_t paramsSize);
void BrowseLocalFile(const char *command, char *dst, size_t size);

/* Starts file with params through the shell's "open" verb as a disc's
 * programs start: variables expanded, the call done before it returns,
 * and no box of the shell's own (the caller reports).  sei is filled and
 * holds what the shell gave; TRUE when the call succeeded. */
BOOL ShellOpenQuiet(const char *file, const char *params, int show, SHELLEXECUTEINFOA *sei);

} // namespace zv

#endif
