/*
 * writer.h - ZVConfig's settings writer: fills the "TEXT" templates from the
 * settings record into AUTORUN.INF, writes ZORVAN.DAT, offers to reduce
 * absolute paths and keeps one .BAK generation of every file it replaces.
 *
 * Link with the ZVConfig flavour of the settings core (zvsettings_config)
 * and put templates.rc and ZVConfig's string table into the program.
 */
#ifndef ZV_WRITER_H
#define ZV_WRITER_H

#include <windows.h>

#include "settings.h"
#include "template_ids.h"

namespace zv {

/* ---- templates and symbols (symrep.cpp, strrep.cpp) ---- */

/* Heap copy of the "TEXT" resource id of the program, cut at "$EOF$";
 * NULL when it cannot be found or loaded.  The caller frees it. */
char *LoadTextFromResource(UINT id);

/*
 * Replaces every '%' symbol '%' of text by value (NULL or "" removes it).
 * Found: returns a new heap text and has freed text.  Not found, or no
 * memory: returns NULL and text is still the caller's.  The search goes on
 * after each inserted value, so a value is never itself replaced.
 */
char *DoSymRep(char *text, const char *symbol, const char *value);
char *DoNumRep(char *text, const char *symbol, int number);

/* Fills a loaded template from the record: part 0 the [AutoRun] part
 * (600/610), any other the [Zorvan Data] part (620/630).  Always consumes
 * text; returns the filled heap text, or NULL when memory or the
 * shell-verb template failed. */
char *StrRep(char *text, AUTORUNINF *ari, int part);

/* ---- files (inf_writer.cpp, dat_writer.cpp, backup.cpp) ---- */

/* Writes AUTORUN.INF at strInfFile; 1 when it was written whole, 0 after
 * message 40117 (the previous file is then back in place). */
int SaveAutoRunInf(HWND owner, AUTORUNINF *ari);

/* Writes AUTORUN.INF ([AutoRun] and [Content] only, starting the runtime
 * with --dat and the data file's name) and the gzip data file datPath;
 * 1 when both were written, 0 after message 40117. */
int SaveZorvanDat(HWND owner, AUTORUNINF *ari, const char *datPath);

/* Renames an existing file to the same name with the extension ".BAK".
 * 0 when the file name has no extension (no backup), 1 when there is no
 * file, else the result of the rename. */
int CreateBackupFile(const char *path);

/* ---- absolute paths (pathcheck.cpp) ---- */

/* Asks about each absolute file setting whether to reduce it to its file
 * name; 1 when none was absolute or all were reduced, 0 when one stays. */
int CheckAutoRunInf(HWND owner, AUTORUNINF *ari);
int IsFixedPath(const char *value);
/* File part of value into dst: 0, or 4 when it does not fit (dst is then
 * the empty text). */
int FNOnly(char *dst, size_t size, const char *value);
/* 1 when value is relative or was reduced, 0 when it stays absolute. */
int FixPath(HWND owner, const char *label, char *value, size_t size);

} // namespace zv

#endif
