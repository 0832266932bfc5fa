/*
 * rtfcheck.h - whether an RTF licence file stays within what the rich edit
 * control's reader takes.  The reader believes the file: it keeps a stack
 * of 32 groups and overruns it at the 33rd, collects a control word into a
 * buffer of 1024 bytes without a bound, and so the names of its font table
 * and style sheet, and builds every table level that an \itap names, in
 * time that grows with the square of the level.  It also believes a table
 * row: a \row that drops cells past the row's \cellx definitions, or a
 * nested table in them, and an unfinished row it tidies away after a
 * paragraph break, leave it pointers to freed memory.  A table action
 * also runs where a \* group or the characters skipped after \u leave a
 * table word's number behind; its colour table reads past a brace after
 * a colour; pictures go to GDI as they are; and laying out a paragraph
 * costs it time that grows with the square of the paragraph's length.
 * Past these limits the control crashes the program or keeps it for
 * minutes.
 */
#ifndef ZV_RTFCHECK_H
#define ZV_RTFCHECK_H

#include <windows.h>
#include <stddef.h>

namespace zv {

enum {
    RTF_MOST_GROUPS = 32,        /* the reader's group stack */
    RTF_MOST_WORD_BYTES = 1023,  /* backslash to delimiter, with the buffer's terminator 1024 */
    RTF_MOST_NAME_BYTES = 1023,  /* a font or style name, the same */
    RTF_MOST_TABLE_LEVEL = 64,   /* documents nest tables a few levels; 64 costs the control < 1 ms */
    RTF_MOST_CELL_DEFS = 63      /* \cellx definitions a row keeps, as the reader's table does */
};

/* The sum over paragraphs of their characters squared: 2^29 costs the
 * control about 6.5 s of layout here (23,000 characters of words in one
 * paragraph, or 530,000 in paragraphs of 1,000).  Kept that high so that
 * a long licence of long legal clauses is shown, slowly, never refused;
 * a licence of 300,000 short paragraphs sums to about 2^27. */
static const unsigned long long RTF_MOST_LAYOUT_WORK = 1ull << 29;

/* Why a file was refused. */
enum { RTF_WHOLE = 0, RTF_TOO_DEEP = 1, RTF_WORD_TOO_LONG = 2, RTF_TABLES_TOO_DEEP = 3, RTF_NAME_TOO_LONG = 4,
       RTF_TABLE_BROKEN = 5, RTF_TABLE_ACTION = 6, RTF_COLOURS_BROKEN = 7, RTF_PICTURE_BROKEN = 8,
       RTF_TOO_SLOW = 9, RTF_SHOWS_NOTHING = 10 };

/*
 * Reads an open RTF file once from its start, as the control's reader
 * reads it, up to where the reader stops (the end of the outer group or a
 * broken \', unless one of its loops reads on, or the end of the file):
 * 1 when it stays within the limits.
 * 0 when it does not, with *fault saying why and the last error
 * ERROR_INVALID_DATA; 0 with *fault RTF_WHOLE and the read's own error when
 * the file cannot be read.  The file's position is left anywhere.
 */
int RtfFileFits(HANDLE file, int *fault);

/* The log's words for a fault, with the limit it passed (RTF_SHOWS_NOTHING
 * is the licence dialog's own: the control kept none of a file). */
void RtfFaultText(int fault, char *text, size_t size);

} // namespace zv

#endif
