/*
 * rtffonttables.cpp - the font table's and the style sheet's own loops in
 * the control's reader: where names go into its buffer of 1024 bytes
 * without a bound, which groups they skip, and where their end is lost.
 */
#include <string.h>

#include "rtfscan.h"

namespace zv {

/* A name in the font table or style sheet, copied into a buffer of
 * 1024 bytes without a bound. */
static void NameByte(RTFSCAN *s)
{
    if (++s->tableName > RTF_MOST_NAME_BYTES)
        Refuse(s, RTF_NAME_TOO_LONG);
}

static void StartSkip(RTFSCAN *s, int back)
{
    s->table = TABLE_SKIP;
    s->skipLevel = 1;
    s->afterSkip = back;
}

/* A group skipped to its end; 1 when this token ends it. */
static int Skipped(RTFSCAN *s, int kind)
{
    if (kind == TOKEN_OPEN)
        s->skipLevel++;
    else if (kind == TOKEN_CLOSE && --s->skipLevel < 1)
        return 1;
    return 0;
}

static void FontEntryEnds(RTFSCAN *s, int putBack)
{
    if (s->fontsBraced == 1)
        s->table = putBack ? TABLE_TOP : TABLE_STEP; /* the entry's own brace, read again or next */
    else if (putBack)
        s->reading = READ_DOCUMENT; /* the brace read again ends the table */
    else
        s->table = TABLE_TOP;
}

/* A token in a font entry: names end at ';' or at any other token. */
static void FontEntryToken(RTFSCAN *s, int kind, int c)
{
    if ((kind == TOKEN_TEXT && c == ';') || kind == TOKEN_CLOSE) {
        FontEntryEnds(s, 0);
    } else if (kind == TOKEN_OPEN) {
        StartSkip(s, TABLE_ENTRY);
    } else if (kind == TOKEN_TEXT) {
        s->table = TABLE_NAME;
        s->tableName = 0;
        NameByte(s);
    } else {
        s->table = TABLE_ENTRY;
    }
}

void FontToken(RTFSCAN *s, int kind, int c)
{
    switch (s->table) {
    case TABLE_TOP:
        if (kind == TOKEN_CLOSE) {
            s->reading = READ_DOCUMENT;
            break;
        }
        if (s->fontsBraced < 0)
            s->fontsBraced = IsWord(s, kind, "f") ? 0 : kind == TOKEN_OPEN ? 1 : -1;
        /* with braces this token is the entry's brace, taken as it is */
        if (s->fontsBraced == 1)
            s->table = TABLE_FIRST;
        else
            FontEntryToken(s, kind, c);
        break;
    case TABLE_FIRST:
    case TABLE_ENTRY:
        FontEntryToken(s, kind, c);
        break;
    case TABLE_NAME:
        if (kind == TOKEN_TEXT && c != ';')
            NameByte(s);
        else if (kind == TOKEN_CLOSE)
            FontEntryEnds(s, 1);
        else
            FontEntryToken(s, kind, c);
        break;
    case TABLE_SKIP:
        if (Skipped(s, kind))
            s->table = s->afterSkip;
        break;
    case TABLE_STEP:
        s->table = TABLE_TOP;
        break;
    }
}

/* The style sheet ends a style at ';' and ignores a '}' inside one; a
 * name ends at any other token, which it drops. */
void StyleToken(RTFSCAN *s, int kind, int c)
{
    switch (s->table) {
    case TABLE_TOP:
        if (kind == TOKEN_CLOSE)
            s->reading = READ_DOCUMENT;
        else
            s->table = TABLE_ENTRY; /* the style's brace, taken as it is */
        break;
    case TABLE_NAME:
        if (kind == TOKEN_TEXT && c != ';') {
            NameByte(s);
            break;
        }
        s->table = kind == TOKEN_TEXT ? TABLE_STEP : TABLE_ENTRY;
        break;
    case TABLE_ENTRY:
        if (kind == TOKEN_TEXT && c == ';') {
            s->table = TABLE_STEP;
        } else if (kind == TOKEN_TEXT) {
            s->table = TABLE_NAME;
            s->tableName = 0;
            NameByte(s);
        } else if (kind == TOKEN_OPEN) {
            StartSkip(s, TABLE_ENTRY);
        } else if (kind == TOKEN_SYMBOL && c == '*') {
            s->table = TABLE_SKIP_NEXT;
        }
        break;
    case TABLE_SKIP_NEXT:
        StartSkip(s, TABLE_TOP);
        break;
    case TABLE_SKIP:
        if (Skipped(s, kind))
            s->table = s->afterSkip;
        break;
    case TABLE_STEP:
        s->table = TABLE_TOP;
        break;
    }
}

} // namespace zv
