/*
 * runtime.h - ZORVAN.EXE's own state and steps: the settings record of
 * this run, the splash window and picture, the start-up sequence and the
 * document start.
 */
#ifndef ZV_RUNTIME_H
#define ZV_RUNTIME_H

#include <windows.h>
#include <stddef.h>

#include "settings.h"

namespace zv {

/* The settings of this run; readers, log and document start share it. */
extern AUTORUNINF ari;

/* Owner of the runtime's boxes; NULL when the splash could not be made. */
extern HWND hSplash;
/* The splash picture, NULL for none, or HEMF_VIDEO for a splash video. */
extern HENHMETAFILE hemf;
extern int fMusicPlaying;
extern int fAVIPlaying;

#define HEMF_VIDEO ((HENHMETAFILE)(LONG_PTR)-15)

/* No single wait of the start-up lasts longer than this (one hour). */
enum { MAXWAITMS = 3600000 };

/* ---- start-up (startup.cpp) ---- */

int AnyInstance(HINSTANCE hInstance, const char *commandLine);

/* ---- waits (waits.cpp) ---- */

void ComputeWaitTimes(AUTORUNINF *settings);

/* ---- settings folder (dirfix.cpp) ---- */

/* The folder of a settings file, a drive root with its backslash; 0 and
 * an empty folder when it does not fit. */
int SettingsFolder(const char *path, char *folder, size_t size);

/* ---- splash picture (splashpic.cpp) ---- */

HENHMETAFILE LoadSplashPicture(HINSTANCE hInstance, AUTORUNINF *settings);

/* ---- document start (docstart.cpp, execute.cpp) ---- */

enum { SD_DOCUMENT = 0, SD_OTHER = 1, SD_MESSAGE = 2 };

int StartDocs(HWND hwnd, const char *viewer, const char *document, int forceViewer, int showMode);
HINSTANCE Execute(HWND hwnd, const char *file, const char *parameters, int showMode);
void *AllocMemInform(size_t size);

} // namespace zv

#endif
