/*
 * music.h - background music and the splash video through MCI string
 * commands: the music under the alias bgmusic, the video under myVid.
 *
 * Two builds of the music functions: the runtime's take the settings
 * record and write log lines; the menu's take a path and stay silent.
 */
#ifndef ZV_MUSIC_H
#define ZV_MUSIC_H

#include <windows.h>
#include <mmsystem.h>

#include "autoruninf.h"

namespace zv {

/* Every MCI command goes through this; tests may record instead. */
extern MCIERROR (WINAPI *pfnMciSendStringA)(LPCSTR command, LPSTR reply, UINT replySize,
                                            HWND callback);
/* The 8.3 form of a path; a seam too, as Windows and Wine differ in when
 * it does not fit. */
extern DWORD (WINAPI *pfnGetShortPathNameA)(LPCSTR path, LPSTR shortPath, DWORD size);

enum { MUSIC_PLAYING = 2 };

/* ---- runtime (music.cpp) ---- */

/* MUSIC_PLAYING when strMusic plays, else 0. */
int PlayMusic(AUTORUNINF *settings);
/* Stops and closes every MCI device of the process, the video included; 0. */
int StopMusic(AUTORUNINF *settings);
/* Plays strSplash in a child window of parent; nonzero when it plays.
 * With uSplashMode 2 it returns only when the video has ended. */
int PlayAVIFile(HWND parent, AUTORUNINF *settings);
/* When playing is nonzero, stops and closes every MCI device; 0. */
int StopAVIFile(AUTORUNINF *settings, int playing);

/* The short 8.3 form of path in lower case, as both builds open it;
 * 0 when there is none or it does not fit. */
int ShortMusicPath(const char *path, char *shortPath, size_t size);

/* ---- menu (music_menu.cpp) ---- */

/* MUSIC_PLAYING when path plays; 0 for NULL or any failure. */
int PlayMusic(const char *path);
int StopMusic(void);

} // namespace zv

#endif
