/*
 * writer_int.h - what the writer's own files share and nobody else needs.
 */
#ifndef ZV_WRITER_INT_H
#define ZV_WRITER_INT_H

#include "writer.h"

namespace zv {

enum {
    VALUELEN = 512,         /* one value of a key, as the readers see it */
    DATLINELEN = 8200,      /* the data-file reader's line buffer */
    BACKUPNAMELEN = 520
};

/* One placeholder and what replaces it (NULL: nothing). */
struct SYMVALUE {
    const char *pszName;
    const char *pszValue;
};

/*
 * Replaces the placeholders of all count symbols in one walk through text:
 * a new heap text, or NULL without memory.  Inserted values are never
 * searched again.  *pFound (may be NULL) receives the number replaced.
 */
char *ReplaceSymbols(const char *text, const SYMVALUE *table, int count, int *pFound);

/* value as an INF value that the private-profile reader gives back
 * unchanged: in one pair of quotes when it would lose its outer blanks or
 * its own outer quotes.  0, or 4 when it does not fit (dst empty). */
int QuoteProfileValue(char *dst, size_t size, const char *value);

/* The legal notice as the value of LEGALNOTICETEXT and, when long, its
 * continuation keys: a heap text, or NULL without memory.  *pLength gets
 * the number of characters of the notice that the value carries. */
char *LegalNoticeInfValue(const char *notice, size_t *pLength);

/* How much of an escaped text fits into limit characters without cutting
 * an escape. */
size_t EscapedPrefixLength(const char *text, size_t limit);

/* strOpen without any --dat option of its own (the runtime would follow
 * it instead of what is written now).  0, or 4 when it does not fit. */
int OpenWithoutDat(char *dst, size_t size, const char *open);

/* The show mode that the INF reader derives from the WindowMode text. */
unsigned WindowModeFromText(const char *winMode);

/* Heap text of a whole template filled for one part, or NULL; the last
 * error tells why.  open (NULL: strOpen) is the command that OPEN and
 * SHELLEXECUTE are to carry. */
char *FillTemplate(AUTORUNINF *ari, int part, const char *open);

/*
 * A file about to be replaced: BeginReplace moves the old file to its
 * backup name; AbandonReplace moves the backup back over what was written,
 * or removes a new file that had no old one, so that a failed save leaves
 * the folder as it was.  A file is never removed before the old one is
 * certainly back: when it cannot be, the new file stays.
 */
struct REPLACEMENT {
    char szPath[BACKUPNAMELEN];
    char szBackup[BACKUPNAMELEN];
    int fExisted;       /* a file was there before the save */
    int fBackedUp;      /* ... and now lies under szBackup */
};

void BeginReplace(REPLACEMENT *r, const char *path);
void AbandonReplace(REPLACEMENT *r, int fCreated);

/* Creates path anew and writes the texts; 1, or 0 with the last error set
 * and nothing left of the new file. */
int WriteTextFile(const char *path, const char *first, const char *second);

} // namespace zv

#endif
