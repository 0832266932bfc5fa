/*
 * rtfcheck.cpp - an RTF licence file read once, through a small window,
 * the way the rich edit control's reader tokenises it: groups counted
 * wherever the reader counts them (in \bin data too, which it does not
 * skip; an escaped brace is text), control words measured as its buffer
 * holds them, \itap numbers taken as it computes them (32-bit, wrapping).
 * The check stops where the reader stops, so bytes it never reads refuse
 * nothing.  A file of any size costs one pass and no memory of its own.
 */
#include "rtfcheck.h"

#include <stdio.h>
#include <string.h>

#include "filecheck.h"

namespace zv {

enum { SCAN_WINDOW = 4096 };

/* where the scan is inside a token */
enum { IN_TEXT, AFTER_BACKSLASH, IN_WORD, AFTER_SIGN, IN_DIGITS, HEX_FIRST, HEX_SECOND };

struct RTFSCAN {
    int state;
    int depth;
    DWORD wordBytes;   /* of the control word so far, as the reader's buffer holds them */
    char name[6];      /* its first letters, enough to tell \itap */
    int nameLen;
    DWORD param;       /* wraps as the reader's int does */
    int negative;
    int hexFirst;
    int fault;
    int stopped;       /* the reader reads no further */
};

/* The reader's character classes: the C locale's, ASCII only. */
static int IsLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
static int IsDigit(int c) { return c >= '0' && c <= '9'; }
static int IsHex(int c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

static void Refuse(RTFSCAN *s, int fault)
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

static void EndWord(RTFSCAN *s, int hasParam)
{
    s->state = IN_TEXT;
    if (!hasParam || s->nameLen != 4 || memcmp(s->name, "itap", 4) != 0)
        return;
    DWORD value = s->negative ? 0u - s->param : s->param;
    if ((LONG)value > RTF_MOST_TABLE_LEVEL)
        Refuse(s, RTF_TABLES_TOO_DEEP);
}

static void TextByte(RTFSCAN *s, int c)
{
    if (c == '{') {
        if (++s->depth > RTF_MOST_GROUPS)
            Refuse(s, RTF_TOO_DEEP);
    } else if (c == '}') {
        /* the end of the outer group ends the reader's stream */
        if (--s->depth <= 0)
            s->stopped = 1;
    } else if (c == '\\') {
        s->state = AFTER_BACKSLASH;
        s->wordBytes = 1;
    }
}

/* The byte that ended a control word starts the next token, unless it is
 * the blank the reader swallows as the word's delimiter. */
static void AfterWord(RTFSCAN *s, int c, int hasParam)
{
    EndWord(s, hasParam);
    if (!s->stopped && c != ' ')
        TextByte(s, c);
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
            s->state = IN_TEXT; /* an escaped character or a control symbol */
        }
        break;
    case HEX_FIRST:
        s->hexFirst = c;
        s->state = HEX_SECOND;
        break;
    case HEX_SECOND:
        /* \' without two hex digits ends the reader's stream */
        if (!IsHex(s->hexFirst) || !IsHex(c))
            s->stopped = 1;
        s->state = IN_TEXT;
        break;
    case IN_WORD:
        CountWordByte(s);
        if (s->stopped)
            break;
        if (IsLetter(c)) {
            if (s->nameLen < (int)sizeof s->name)
                s->name[s->nameLen++] = (char)c;
        } else if (c == '-') {
            s->negative = 1;
            s->state = AFTER_SIGN;
        } else if (IsDigit(c)) {
            s->param = (DWORD)(c - '0');
            s->state = IN_DIGITS;
        } else {
            AfterWord(s, c, 0);
        }
        break;
    case AFTER_SIGN:
        CountWordByte(s);
        if (s->stopped)
            break;
        if (IsDigit(c)) {
            s->param = (DWORD)(c - '0');
            s->state = IN_DIGITS;
        } else {
            AfterWord(s, c, 0);
        }
        break;
    case IN_DIGITS:
        CountWordByte(s);
        if (s->stopped)
            break;
        if (IsDigit(c))
            s->param = s->param * 10 + (DWORD)(c - '0');
        else
            AfterWord(s, c, 1);
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
    *fault = RTF_WHOLE;
    while (!scan.stopped) {
        if (!ReadAt(file, offset, window, sizeof window, &got))
            return 0;
        if (got == 0)
            break;
        for (DWORD i = 0; i < got && !scan.stopped; i++)
            ScanByte(&scan, window[i]);
        offset += got;
    }
    /* a parameter cut by the end of the file still counts */
    if (!scan.stopped && scan.state == IN_DIGITS)
        EndWord(&scan, 1);
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
    case RTF_TABLES_TOO_DEEP:
        snprintf(text, size, "A table level (\\itap) is above %d.", RTF_MOST_TABLE_LEVEL);
        break;
    default:
        text[0] = '\0';
        break;
    }
}

} // namespace zv
