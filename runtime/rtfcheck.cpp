/*
 * rtfcheck.cpp - an RTF licence file read once, through a small window,
 * the way the rich edit control's reader tokenises it: groups counted
 * wherever the reader counts them (in \bin data too, which it does not
 * skip; an escaped brace is text), control words measured as its buffer
 * holds them, \itap numbers taken as it computes them (32-bit, wrapping).
 * After \u the reader skips \uc text tokens; a group that begins among
 * them is counted twice and closed once, so its depth stays one higher.
 * Tables are followed as the reader builds them: its stack of levels,
 * each with its row's \cellx definitions and open row; the characters of
 * each paragraph are counted for the work of laying it out.  The loops of
 * the font table and style sheet (rtffonttables.cpp) and the readers its
 * destinations start (rtfreaders.cpp) take their tokens.  The check stops
 * where the reader stops, so bytes it never reads refuse nothing.  A file
 * of any size costs one pass, and memory only for a picture's data.
 */
#include "rtfscan.h"

#include <stdio.h>
#include <string.h>

#include "filecheck.h"

namespace zv {

/* The reader's character classes: the C locale's, ASCII only. */
static int IsLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
static int IsDigit(int c) { return c >= '0' && c <= '9'; }
static int IsHex(int c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
static int HexValue(int c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

void Refuse(RTFSCAN *s, int fault)
{
    s->fault = fault;
    s->stopped = 1;
}

/* One more byte in the reader's token buffer. */
static void CountWordByte(RTFSCAN *s)
{
    if (++s->wordBytes > RTF_MOST_WORD_BYTES)
        Refuse(s, RTF_WORD_TOO_LONG);
}

int IsWord(const RTFSCAN *s, int kind, const char *name)
{
    return kind == TOKEN_WORD && s->nameLen == (int)strlen(name) &&
           memcmp(s->name, name, (size_t)s->nameLen) == 0;
}

/* Where the reader's loop would end: a group stack back at its bottom, or
 * a broken \'.  The font table's loop, and the style sheet's skip of a
 * \* group, overwrite that end with a token of their own, and the reader
 * reads on. */
static void ReaderEnds(RTFSCAN *s)
{
    s->ended = 1;
    if (s->reading == READ_FONTS)
        s->reading = READ_DOCUMENT;
    else if (s->reading == READ_STYLES && s->table == TABLE_SKIP && s->afterSkip == TABLE_TOP)
        s->table = TABLE_TOP;
    else
        s->stopped = 1;
}

static void OpenGroup(RTFSCAN *s)
{
    /* past its bottom the stack would be written below its start */
    if (s->depth < 0) {
        Refuse(s, RTF_TOO_DEEP);
        return;
    }
    s->ucOuter[s->depth] = s->uc;
    if (++s->depth > RTF_MOST_GROUPS)
        Refuse(s, RTF_TOO_DEEP);
}

/* The reader's hook sees every token, whichever loop reads it: it keeps
 * the group stack.  A token that ends the skip after \u is put back and
 * read again, and a group's beginning is then counted twice. */
static void CountGroups(RTFSCAN *s, int kind)
{
    if (kind == TOKEN_OPEN) {
        OpenGroup(s);
        if (s->skipping > 0 && !s->stopped)
            OpenGroup(s);
    } else if (kind == TOKEN_CLOSE) {
        if (--s->depth >= 0)
            s->uc = s->ucOuter[s->depth];
        if (s->depth <= 0)
            ReaderEnds(s);
    }
}

/* The reader's table state.  It trusts a row: at \row it sets the cells
 * the row defines and deletes the cells past them, and that deletion
 * across a cell's end or a nested row leaves it pointers to freed cells.
 * A paragraph broken right behind a row that \intbl began (writers put
 * \pard there) is taken into that table, and its tidying then faults or
 * loops.  At the end of the text it finishes and deletes a row left open;
 * with levels it cannot close it loops or reads a null pointer. */

RTFTABLE *Innermost(RTFSCAN *s)
{
    return s->tableCount > 0 ? &s->tables[s->tableCount - 1] : NULL;
}

static RTFTABLE *PushTable(RTFSCAN *s)
{
    if (s->tableCount >= TABLE_STACK) {
        Refuse(s, RTF_TABLES_TOO_DEEP);
        return NULL;
    }
    RTFTABLE *t = &s->tables[s->tableCount++];
    memset(t, 0, sizeof *t);
    t->nestedAt = NO_CELL;
    return t;
}

static void StartRow(RTFTABLE *t)
{
    t->row = ROW_OPEN;
    t->cells = 0;
    t->nestedAt = NO_CELL;
}

/* \row or \nestrow, both the same to the reader; 0 when it cannot act. */
static int EndRow(RTFSCAN *s)
{
    RTFTABLE *t = Innermost(s);

    if (t == NULL || t->row == ROW_NONE)
        return 0;
    if (s->tableLevel == 0 && t->row >= ROW_ENDED) {
        StartRow(t);
        s->tableLevel++;
    }
    if (t->defined >= 1 && (t->cells > (DWORD)t->defined || (t->nestedAt != NO_CELL && t->nestedAt >= (DWORD)t->defined))) {
        Refuse(s, RTF_TABLE_BROKEN);
        return 0;
    }
    if (--s->tableLevel == 0 && s->inherit) {
        t->row = ROW_ENDED;
        s->insertedSinceRow = 0;
    } else if (s->tableLevel == 0) {
        s->tableCount = 0;
    } else {
        s->tableCount--;
    }
    return 1;
}

/* What the reader does with a row still open where it stops reading. */
static void TablesEnd(RTFSCAN *s)
{
    RTFTABLE *t = Innermost(s);

    if (t == NULL || t->row == ROW_NONE || (s->tableLevel <= 0 && !s->inherit))
        return;
    if (s->tableLevel > 0) {
        while (s->tableLevel > 1 && !s->fault) {
            if (!EndRow(s) && !s->fault)
                Refuse(s, RTF_TABLE_BROKEN); /* the reader would loop for ever */
        }
        if (!s->fault && !EndRow(s) && !s->fault)
            Refuse(s, RTF_TABLE_BROKEN);     /* nothing left to finish: a null pointer */
    } else if (t->row != ROW_ENDED) {
        Refuse(s, RTF_TABLE_BROKEN);
    }
}

/* A paragraph's end: laying it out costs the control time that grows with
 * the square of its length. */
static void LineEnds(RTFSCAN *s)
{
    s->layoutWork += (ULONGLONG)s->lineChars * s->lineChars;
    s->lineChars = 0;
    if (s->layoutWork > RTF_MOST_LAYOUT_WORK)
        Refuse(s, RTF_TOO_SLOW);
}

/* Something shown, perhaps a paragraph break. */
void Inserted(RTFSCAN *s, int paragraph)
{
    RTFTABLE *t = Innermost(s);

    if (paragraph && !s->insertedSinceRow && t != NULL && t->row == ROW_ENDED)
        Refuse(s, RTF_TABLE_BROKEN);
    s->insertedSinceRow = 1;
    if (paragraph) {
        LineEnds(s);
    } else if (s->lineChars < 0xFFFFFFFFu) {
        s->lineChars++;
        if (s->layoutWork + (ULONGLONG)s->lineChars * s->lineChars > RTF_MOST_LAYOUT_WORK)
            Refuse(s, RTF_TOO_SLOW);
    }
}

static int IsBreakWord(const RTFSCAN *s, DWORD value)
{
    if (IsWord(s, TOKEN_WORD, "u"))
        return value == 13 || value == 10;
    return IsWord(s, TOKEN_WORD, "par") || IsWord(s, TOKEN_WORD, "sect") || IsWord(s, TOKEN_WORD, "page");
}

static int IsTextWord(const RTFSCAN *s)
{
    static const char *const text[] = {"line", "tab", "u", "emdash", "endash", "bullet", "lquote", "rquote",
                                       "ldblquote", "rdblquote", "emspace", "enspace"};
    for (size_t i = 0; i < sizeof text / sizeof text[0]; i++)
        if (IsWord(s, TOKEN_WORD, text[i]))
            return 1;
    return 0;
}

/* A symbol the reader knows: a paragraph (\ before a line end), a
 * character, or nothing shown. */
static void SymbolToken(RTFSCAN *s, int c)
{
    int n = s->word != NULL ? s->word->number : -1;

    if (c == '*')
        s->afterStar = 1;
    else if (n == NUMBER_PAR)
        Inserted(s, 1);
    else if (n == NUMBER_TAB || n == NUMBER_NO_BREAK_SPACE || n == NUMBER_NO_BREAK_HYPHEN)
        Inserted(s, 0);
}

static void TableWord(RTFSCAN *s, DWORD value)
{
    RTFTABLE *t = Innermost(s);
    LONG number = s->state == IN_DIGITS ? (LONG)value : -1000000; /* the reader's "no number" */

    if (IsWord(s, TOKEN_WORD, "trowd")) {
        if (t == NULL)
            PushTable(s);
        else
            t->defined = 0;
    } else if (IsWord(s, TOKEN_WORD, "cellx")) {
        if (t == NULL)
            t = PushTable(s);
        if (t != NULL && t->defined < RTF_MOST_CELL_DEFS)
            t->defined++;
    } else if (IsWord(s, TOKEN_WORD, "intbl")) {
        if (s->tableLevel < 1) {
            if (t == NULL)
                t = PushTable(s);
            if (t != NULL)
                StartRow(t);
            s->tableLevel = 1;
            s->inherit = 1;
        }
    } else if (IsWord(s, TOKEN_WORD, "itap")) {
        while (number > s->tableLevel && !s->stopped) {
            t = Innermost(s);
            if (t != NULL && t->row == ROW_OPEN)
                t->nestedAt = t->cells;
            if ((t = PushTable(s)) != NULL)
                StartRow(t);
            s->tableLevel++;
        }
        s->inherit = 0;
    } else if (IsWord(s, TOKEN_WORD, "cell") || IsWord(s, TOKEN_WORD, "nestcell")) {
        if (t != NULL && t->row != ROW_NONE) {
            if (s->tableLevel == 0 && t->row >= ROW_ENDED) {
                StartRow(t);
                s->tableLevel = 1;
            }
            if (t->cells < NO_CELL - 1)
                t->cells++;
        }
        LineEnds(s);
    } else if (IsWord(s, TOKEN_WORD, "row") || IsWord(s, TOKEN_WORD, "nestrow")) {
        EndRow(s);
        LineEnds(s);
    } else if (IsWord(s, TOKEN_WORD, "pard")) {
        if (t != NULL && t->row == ROW_ENDED && !s->insertedSinceRow) {
            t->row = ROW_NONE;
            s->inherit = 0;
        }
    } else if (IsBreakWord(s, value)) {
        Inserted(s, 1);
    } else if (IsTextWord(s)) {
        Inserted(s, 0);
    }
}

/* A token routed as the document's loop routes it: a destination's word
 * starts its reader, \uc and \u act, the rest acts on the tables. */
static void RoutedToken(RTFSCAN *s, int kind, int c)
{
    DWORD value = s->negative ? 0u - s->param : s->param;

    if (kind == TOKEN_TEXT) {
        Inserted(s, 0);
    } else if (kind == TOKEN_SYMBOL) {
        SymbolToken(s, c);
    } else if (kind == TOKEN_WORD && s->word != NULL && s->word->family == RW_DESTINATION) {
        Destination(s);
    } else if (kind == TOKEN_WORD) {
        TableWord(s, value);
        if (IsWord(s, kind, "uc"))
            s->uc = s->state == IN_DIGITS ? (LONG)value : -1; /* without a number it skips nothing */
        else if (IsWord(s, kind, "u"))
            s->skipping = s->uc;
    }
}

/* The document's loop, and the readers its destinations start.  After \*
 * a word the reader knows is routed, anything else skips the group; the
 * hook then acts once the word has acted or the group has been read. */
static void DocumentToken(RTFSCAN *s, int kind, int c)
{
    if (s->skipFrom) {
        if (s->colours)
            ColourToken(s, kind, c);
        if (s->depth >= s->skipFrom || s->stopped)
            return;
        s->skipFrom = 0;
        s->colours = 0;
        s->consumed = 1;
    }
    if (s->consumed)
        return;
    if (s->pictureDepth && PictureToken(s, kind, c))
        return;
    if (s->object != OBJECT_NONE && ObjectToken(s, kind))
        return;
    if (s->afterStar) {
        s->afterStar = 0;
        if (s->word == NULL || (kind != TOKEN_WORD && kind != TOKEN_SYMBOL)) {
            s->skipFrom = s->depth;
            HookWhenGroupEnds(s, s->depth);
            return;
        }
        if (s->word->family == RW_DESTINATION && !IsWord(s, kind, "nesttableprops")) {
            HookWhenGroupEnds(s, s->depth);
            RoutedToken(s, kind, c);
            return;
        }
        RoutedToken(s, kind, c);
        if (!s->afterStar)
            StaleHook(s);
        return;
    }
    RoutedToken(s, kind, c);
}

static void Token(RTFSCAN *s, int kind, int c)
{
    if (kind == TOKEN_WORD || kind == TOKEN_SYMBOL) {
        if (s->word != NULL)
            s->lastNumber = s->word->number;
    } else {
        s->word = NULL;
    }
    if (kind == TOKEN_OPEN && s->depth >= 0 && s->depth < RTF_MOST_GROUPS)
        s->hookAt &= ~(1ull << (s->depth + 1)); /* a new group has no hook yet */
    CountGroups(s, kind);
    if (s->stopped || s->ended) {
        s->ended = 0;
        return;
    }
    s->consumed = 0;
    if (kind == TOKEN_CLOSE)
        GroupEnded(s);
    /* the reader drops these text tokens before any loop sees them */
    if (kind == TOKEN_TEXT && (c == 0 || c == '\r' || c == '\n'))
        return;
    if (s->skipping > 0 && kind == TOKEN_TEXT) {
        s->skipping--;
        return;
    }
    if (s->skipping > 0) {
        /* put back, the hook acts on its number, then it is read again */
        s->skipping = 0;
        StaleHook(s);
    }
    if (kind == TOKEN_WORD && IsWord(s, kind, "itap") && s->state == IN_DIGITS &&
        (LONG)(s->negative ? 0u - s->param : s->param) > RTF_MOST_TABLE_LEVEL) {
        Refuse(s, RTF_TABLES_TOO_DEEP);
        return;
    }
    if (s->reading == READ_FONTS)
        FontToken(s, kind, c);
    else if (s->reading == READ_STYLES)
        StyleToken(s, kind, c);
    else
        DocumentToken(s, kind, c);
}

/* A control word has ended (s->state says whether it had a number). */
static void EndWord(RTFSCAN *s)
{
    s->word = s->nameLen <= (int)sizeof s->name ? FindRtfWord(s->name, (size_t)s->nameLen) : NULL;
    Token(s, TOKEN_WORD, 0);
    s->state = IN_TEXT;
}

static void TextByte(RTFSCAN *s, int c)
{
    if (c == '\\') {
        s->state = AFTER_BACKSLASH;
        s->wordBytes = 1;
    } else if (c == '{') {
        Token(s, TOKEN_OPEN, c);
    } else if (c == '}') {
        Token(s, TOKEN_CLOSE, c);
    } else if (c == '\t') {
        s->word = FindRtfWord("tab", 3); /* the reader makes it \tab */
        Token(s, TOKEN_SYMBOL, c);
    } else if (c != '\r' && c != '\n') { /* line ends are no tokens at all */
        Token(s, TOKEN_TEXT, c);
    }
}

/* The byte that ended a control word starts the next token, unless it is
 * the blank the reader swallows as the word's delimiter. */
static void AfterWord(RTFSCAN *s, int c)
{
    EndWord(s);
    if (!s->stopped && c != ' ')
        TextByte(s, c);
}

/* A byte of a word once it is counted: its name, sign or number, or the
 * delimiter that ends it. */
static void WordByte(RTFSCAN *s, int c)
{
    switch (s->state) {
    case IN_WORD:
        if (IsLetter(c)) {
            if (s->nameLen < (int)sizeof s->name)
                s->name[s->nameLen++] = (char)c;
            else
                s->nameLen = (int)sizeof s->name + 1;
        } else if (c == '-') {
            s->negative = 1;
            s->state = AFTER_SIGN;
        } else if (IsDigit(c)) {
            s->param = (DWORD)(c - '0');
            s->state = IN_DIGITS;
        } else {
            AfterWord(s, c);
        }
        break;
    case AFTER_SIGN:
        if (IsDigit(c)) {
            s->param = (DWORD)(c - '0');
            s->state = IN_DIGITS;
        } else {
            AfterWord(s, c);
        }
        break;
    case IN_DIGITS:
        if (IsDigit(c))
            s->param = s->param * 10 + (DWORD)(c - '0');
        else
            AfterWord(s, c);
        break;
    default:
        break;
    }
}

static void ScanByte(RTFSCAN *s, int c)
{
    if (c == 0)
        c = ' '; /* the reader reads a NUL as a blank */
    switch (s->state) {
    case IN_TEXT:
        TextByte(s, c);
        break;
    case AFTER_BACKSLASH:
        CountWordByte(s);
        if (IsLetter(c)) {
            s->state = IN_WORD;
            s->name[0] = (char)c;
            s->nameLen = 1;
            s->param = 0;
            s->negative = 0;
        } else if (c == '\'') {
            s->state = HEX_FIRST;
        } else {
            char symbol = (char)c;
            s->state = IN_TEXT;
            s->word = FindRtfWord(&symbol, 1);
            Token(s, c == '{' || c == '}' || c == '\\' || c == ':' ? TOKEN_TEXT : TOKEN_SYMBOL, c);
        }
        break;
    case HEX_FIRST:
        s->hexFirst = c;
        s->state = HEX_SECOND;
        break;
    case HEX_SECOND:
        s->state = IN_TEXT;
        if (IsHex(s->hexFirst) && IsHex(c)) {
            Token(s, TOKEN_TEXT, HexValue(s->hexFirst) * 16 + HexValue(c));
        } else {
            ReaderEnds(s);
            s->ended = 0; /* no token follows it */
        }
        break;
    case IN_WORD:
    case AFTER_SIGN:
    case IN_DIGITS:
        /* every byte of a word counts towards the reader's token buffer */
        CountWordByte(s);
        if (!s->stopped)
            WordByte(s, c);
        break;
    }
}

int RtfFileFits(HANDLE file, int *fault)
{
    RTFSCAN scan;
    BYTE window[SCAN_WINDOW];
    ULONGLONG offset = 0;
    DWORD got = 0;

    memset(&scan, 0, sizeof scan);
    scan.uc = 1; /* the reader's default */
    *fault = RTF_WHOLE;
    while (!scan.stopped) {
        if (!ReadAt(file, offset, window, sizeof window, &got)) {
            DWORD error = GetLastError();
            PictureDropped(&scan.picture);
            SetLastError(error);
            return 0;
        }
        if (got == 0)
            break;
        for (DWORD i = 0; i < got && !scan.stopped; i++)
            ScanByte(&scan, window[i]);
        offset += got;
    }
    /* a parameter cut by the end of the file still counts */
    if (!scan.stopped && (scan.state == IN_WORD || scan.state == AFTER_SIGN || scan.state == IN_DIGITS))
        EndWord(&scan);
    if (!scan.fault)
        TablesEnd(&scan);
    if (!scan.fault)
        LineEnds(&scan);
    PictureDropped(&scan.picture); /* the reader ends inside a picture without showing it */
    if (scan.fault) {
        *fault = scan.fault;
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    return 1;
}

void RtfFaultText(int fault, char *text, size_t size)
{
    if (size == 0)
        return;
    switch (fault) {
    case RTF_TOO_DEEP:
        snprintf(text, size, "Its groups are nested more than %d deep.", RTF_MOST_GROUPS);
        break;
    case RTF_WORD_TOO_LONG:
        snprintf(text, size, "A control word is longer than %d bytes.", RTF_MOST_WORD_BYTES);
        break;
    case RTF_NAME_TOO_LONG:
        snprintf(text, size, "A font or style name is longer than %d bytes.", RTF_MOST_NAME_BYTES);
        break;
    case RTF_TABLES_TOO_DEEP:
        snprintf(text, size, "A table level (\\itap) is above %d.", RTF_MOST_TABLE_LEVEL);
        break;
    case RTF_TABLE_BROKEN:
        snprintf(text, size, "A table row does not match its cell definitions, or is left where the control cannot close it.");
        break;
    case RTF_TABLE_ACTION:
        snprintf(text, size, "A word that the control repeats as a table action follows \\* or \\u in a table row.");
        break;
    case RTF_COLOURS_BROKEN:
        snprintf(text, size, "Its colour table does not end where the control reads it.");
        break;
    case RTF_PICTURE_BROKEN:
        snprintf(text, size, "A picture's data does not fit what it says it holds.");
        break;
    case RTF_TOO_SLOW:
        snprintf(text, size, "Its paragraphs are too long for the control to lay out in time.");
        break;
    case RTF_SHOWS_NOTHING:
        snprintf(text, size, "The control shows nothing of it.");
        break;
    default:
        text[0] = '\0';
        break;
    }
}

} // namespace zv
