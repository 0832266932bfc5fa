/*
 * rtfwords.h - the control words and symbols that the rich edit control's
 * reader knows, with the family and number it gives each.  A word it does
 * not know it drops; a known one it routes, and its number stays behind
 * for the reader's hooks until the next known word replaces it.
 */
#ifndef ZV_RTFWORDS_H
#define ZV_RTFWORDS_H

#include <stddef.h>

namespace zv {

/* the families the licence check tells apart */
enum {
    RW_OTHER,
    RW_DESTINATION,  /* a group of its own: read by a loop, or skipped */
    RW_PICTURE,      /* a picture's attribute */
    RW_OBJECT,       /* an object's attribute */
    RW_COLOUR,       /* \red, \green, \blue */
    RW_SPECIAL       /* a character or a table action */
};

struct RTFWORD {
    const char *name;
    int family;
    int number;
};

/* The reader's entry for a word's name (letters, or one symbol
 * character) of len bytes, or NULL when it does not know it. */
const RTFWORD *FindRtfWord(const char *name, size_t len);

} // namespace zv

#endif
