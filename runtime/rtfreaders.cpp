/*
 * rtfreaders.cpp - the readers that the control's destinations start: a
 * \* group (routed when its first word is known, else skipped), the
 * colour table, which loses a brace after a colour, \pict, whose data it
 * collects for GDI and whose other words it routes, \object, and the
 * hook that runs after \* with the number of the last word it knew.
 */
#include "rtfscan.h"

namespace zv {

/* The hook that follows \* and \u acts on the number the reader kept: as
 * \cell, \row, \nestcell or \nestrow whatever word left it.  Refused with
 * a row open, where it would act. */
void StaleHook(RTFSCAN *s)
{
    RTFTABLE *t = Innermost(s);
    int n = s->lastNumber;

    if (t != NULL && t->row != ROW_NONE &&
        (n == NUMBER_CELL || n == NUMBER_ROW || n == NUMBER_NESTCELL || n == NUMBER_NESTROW))
        Refuse(s, RTF_TABLE_ACTION);
}

void HookWhenGroupEnds(RTFSCAN *s, int depth)
{
    if (depth > 0 && depth < 64)
        s->hookAt |= 1ull << depth;
}

/* A group has ended, whichever loop read its brace: a picture's data goes
 * to GDI, and a \* group's hook runs. */
void GroupEnded(RTFSCAN *s)
{
    int ended = s->depth + 1;

    if (s->pictureDepth && s->depth < s->pictureDepth) {
        s->pictureDepth = 0;
        s->consumed = 1;
        /* whether GDI takes it is not known here: it is not taken for shown */
        if (!PictureEnds(&s->picture))
            Refuse(s, RTF_PICTURE_BROKEN);
    }
    if (ended > 0 && ended < 64 && (s->hookAt & (1ull << ended))) {
        s->hookAt &= ~(1ull << ended);
        StaleHook(s);
    }
}

/* A destination word routed: the reader's loop for it, a skip of its
 * group, or (\shppict, \nesttableprops) its tokens routed as they come. */
void Destination(RTFSCAN *s)
{
    if (IsWord(s, TOKEN_WORD, "fonttbl") || IsWord(s, TOKEN_WORD, "stylesheet")) {
        s->reading = s->name[0] == 'f' ? READ_FONTS : READ_STYLES;
        s->table = TABLE_TOP;
        s->fontsBraced = -1;
    } else if (IsWord(s, TOKEN_WORD, "pict")) {
        if (s->pictureDepth) {
            Refuse(s, RTF_PICTURE_BROKEN); /* a picture in a picture: no licence has one */
            return;
        }
        s->pictureDepth = s->depth;
        PictureBegins(&s->picture);
    } else if (IsWord(s, TOKEN_WORD, "object")) {
        if (s->object != OBJECT_NONE) {
            Refuse(s, RTF_PICTURE_BROKEN); /* an object in an object, the same */
            return;
        }
        s->object = OBJECT_TOP;
    } else if (!IsWord(s, TOKEN_WORD, "shppict") && !IsWord(s, TOKEN_WORD, "nesttableprops")) {
        s->skipFrom = s->depth;
        s->colours = IsWord(s, TOKEN_WORD, "colortbl");
        s->afterColour = 0;
    }
}

/* The colour table's reader takes the token after a colour word without
 * a look: a brace there is lost, and it reads on past its group. */
void ColourToken(RTFSCAN *s, int kind, int c)
{
    int colour = kind == TOKEN_WORD && s->word != NULL && s->word->family == RW_COLOUR;

    if (s->afterColour && !colour && !(kind == TOKEN_TEXT && c == ';'))
        Refuse(s, RTF_COLOURS_BROKEN);
    s->afterColour = colour;
}

/* The picture reader: 1 when it keeps the token, 0 when it routes it. */
int PictureToken(RTFSCAN *s, int kind, int c)
{
    RTFPICTURE *p = &s->picture;

    if (kind == TOKEN_OPEN || kind == TOKEN_CLOSE)
        return 1;
    if (kind == TOKEN_TEXT) {
        if (s->depth > s->pictureDepth) {
            s->skipFrom = s->depth; /* text in a group of its own: the rest is skipped */
            return 1;
        }
        if (p->data == DATA_READ)
            return 0; /* its data already read: shown */
        p->data = DATA_READING;
        PictureText(p, c);
        return 1;
    }
    if (p->data == DATA_READING)
        p->data = DATA_READ;
    if (kind != TOKEN_WORD || s->word == NULL || s->word->family != RW_PICTURE)
        return 0;
    if (IsWord(s, kind, "wmetafile"))
        p->kind = PICTURE_WINDOWS;
    else if (IsWord(s, kind, "dibitmap"))
        p->kind = PICTURE_DIB;
    else if (IsWord(s, kind, "emfblip"))
        p->kind = PICTURE_ENHANCED;
    return 1;
}

/* The object reader: 1 when it keeps or drops the token, 0 when it
 * routes it (in the result).  Its result loop counts only the braces it
 * sees itself, and so may end past the object's own end. */
int ObjectToken(RTFSCAN *s, int kind)
{
    switch (s->object) {
    case OBJECT_TOP:
        if (kind == TOKEN_OPEN)
            s->object = OBJECT_FIRST;
        else if (kind != TOKEN_WORD || s->word == NULL || s->word->family != RW_OBJECT)
            s->object = OBJECT_NONE; /* its end, or a token it drops as it leaves */
        return 1;
    case OBJECT_FIRST:
        if (IsWord(s, kind, "result")) {
            s->object = OBJECT_RESULT;
            s->objectLevel = 1;
        } else {
            s->skipFrom = s->depth;
            s->object = OBJECT_TOP;
        }
        return 1;
    default:
        if (kind == TOKEN_OPEN) {
            s->objectLevel++;
        } else if (kind == TOKEN_CLOSE && --s->objectLevel < 0) {
            s->object = OBJECT_TOP;
            return 1;
        }
        return 0;
    }
}

} // namespace zv
