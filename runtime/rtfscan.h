/*
 * rtfscan.h - the licence check's scan of an RTF file, shared by the
 * files that follow the control's reader: its token kinds, the state of
 * its loops and tables, and the steps one file hands another.
 */
#ifndef ZV_RTFSCAN_H
#define ZV_RTFSCAN_H

#include <windows.h>

#include "rtfcheck.h"
#include "rtfpicture.h"
#include "rtfwords.h"

namespace zv {

enum { SCAN_WINDOW = 4096 };

/* where the scan is inside a token */
enum { IN_TEXT, AFTER_BACKSLASH, IN_WORD, AFTER_SIGN, IN_DIGITS, HEX_FIRST, HEX_SECOND };

/* the tokens of the reader */
enum { TOKEN_TEXT, TOKEN_OPEN, TOKEN_CLOSE, TOKEN_WORD, TOKEN_SYMBOL };

/* which of its loops reads them: the document, the font table, the style sheet */
enum { READ_DOCUMENT, READ_FONTS, READ_STYLES };

/* where those two tables' loops are */
enum {
    TABLE_TOP,        /* before an entry, or the table's end */
    TABLE_ENTRY,      /* in an entry */
    TABLE_NAME,       /* in a name, which goes into the reader's buffer */
    TABLE_SKIP,       /* in a group the table skips */
    TABLE_SKIP_NEXT,  /* the token after \* in a style, before its skip */
    TABLE_STEP,       /* one token the loop takes without a look (a brace it expects) */
    TABLE_FIRST       /* a font entry's first token after its brace */
};

/* a table level's row, as the reader keeps it */
enum {
    ROW_NONE,    /* none: \cell and \row do nothing */
    ROW_OPEN,
    ROW_ENDED    /* ended at the outer level; \intbl or \cell opens the next */
};

/* how far the object reader has come */
enum {
    OBJECT_NONE,
    OBJECT_TOP,     /* at its own level: attributes, groups, or its end */
    OBJECT_FIRST,   /* the first token of a group: \result, or a group it skips */
    OBJECT_RESULT   /* the result, every token routed, its braces counted */
};

/* the numbers of the reader's special characters that matter here */
enum { NUMBER_CELL = 26, NUMBER_ROW = 27, NUMBER_PAR = 28, NUMBER_TAB = 37, NUMBER_NO_BREAK_SPACE = 49,
       NUMBER_NO_BREAK_HYPHEN = 51, NUMBER_NESTCELL = 59, NUMBER_NESTROW = 60 };

static const DWORD NO_CELL = 0xFFFFFFFFu;
enum { TABLE_STACK = RTF_MOST_TABLE_LEVEL + 2 }; /* levels up to the \itap limit, and the outer table */

struct RTFTABLE {
    int defined;     /* \cellx since \trowd */
    int row;         /* ROW_... */
    DWORD cells;     /* \cell in the open row */
    DWORD nestedAt;  /* the cell holding its last nested row, or NO_CELL */
};

struct RTFSCAN {
    int state;
    int depth;
    DWORD wordBytes;   /* of the control word so far, as the reader's buffer holds them */
    char name[32];     /* its first letters, more than the longest word the reader knows */
    int nameLen;       /* one past the buffer for a longer word, which matches none */
    DWORD param;       /* wraps as the reader's int does */
    int negative;
    int hexFirst;
    LONG uc;                           /* text tokens skipped after \u */
    LONG ucOuter[RTF_MOST_GROUPS + 1]; /* of each open group's parent, as the reader keeps it */
    LONG skipping;                     /* of them still to come */
    int reading;       /* READ_... */
    int table;         /* TABLE_... */
    int fontsBraced;   /* -1 not known yet, 0 entries without braces, 1 in braces */
    int skipLevel;
    int afterSkip;     /* the TABLE_... a skip returns to */
    DWORD tableName;   /* bytes of the name so far */
    RTFTABLE tables[TABLE_STACK]; /* the reader's table levels, innermost last */
    int tableCount;
    LONG tableLevel;      /* the reader's nesting level */
    int inherit;          /* a row ended at the outer level stays the table's (\intbl without \itap) */
    int insertedSinceRow; /* text or a paragraph since that row's end */
    int skipFrom;         /* the depth of a group whose rest the reader skips, 0 none */
    int afterStar;        /* \* read: the next token says whether its group is skipped */
    const RTFWORD *word;  /* the reader's entry for this token, NULL when it knows none */
    int lastNumber;       /* the number of the last word it knew, which its hooks act on */
    ULONGLONG hookAt;     /* bit d: a \* group's hook runs when the group at depth d ends */
    int colours;          /* the group skipped is the colour table */
    int afterColour;      /* its last token was a colour word */
    int consumed;         /* this token ended a group that a destination's reader took */
    int pictureDepth;     /* the depth of the \pict group being read, 0 none */
    RTFPICTURE picture;
    int object;           /* OBJECT_... */
    LONG objectLevel;     /* the result's braces as the object reader counts them */
    DWORD lineChars;      /* characters of the paragraph so far */
    ULONGLONG layoutWork; /* the squares of the paragraphs' lengths */
    int fault;
    int ended;         /* this token was the end a loop overwrote */
    int stopped;       /* the reader reads no further */
};

/* rtfcheck.cpp */
void Refuse(RTFSCAN *s, int fault);
int IsWord(const RTFSCAN *s, int kind, const char *name);
RTFTABLE *Innermost(RTFSCAN *s);
void Inserted(RTFSCAN *s, int paragraph);

/* rtffonttables.cpp: the font table's and style sheet's loops */
void FontToken(RTFSCAN *s, int kind, int c);
void StyleToken(RTFSCAN *s, int kind, int c);

/* rtfreaders.cpp: the readers that destinations start, and the hooks */
void StaleHook(RTFSCAN *s);
void HookWhenGroupEnds(RTFSCAN *s, int depth);
void GroupEnded(RTFSCAN *s);
void Destination(RTFSCAN *s);
void ColourToken(RTFSCAN *s, int kind, int c);
int PictureToken(RTFSCAN *s, int kind, int c);
int ObjectToken(RTFSCAN *s, int kind);

} // namespace zv

#endif
