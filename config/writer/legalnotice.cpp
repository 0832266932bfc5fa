/*
 * legalnotice.cpp - the legal notice as INF keys: the reader sees at most
 * 511 characters of one key, so a long notice goes on in continuation keys
 * that end in a backslash, each cut between two escapes.
 */
#include "writer_int.h"

#include <stdio.h>
#include <stdlib.h>

namespace zv {

/* Characters of one piece before its continuation mark: well inside the
 * reader's 512-character buffer, with room for a pair of quotes. */
enum { PIECELEN = 500, PIECEKEYLEN = 40 };

static int IsDigitOf(char c, int radix)
{
    if (c >= '0' && c <= '9')
        return (c - '0') < radix;
    if (radix == 16)
        return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return 0;
}

/* Length of the escape or character that starts at p. */
static size_t UnitLength(const char *p)
{
    if (p[0] != '\\' || p[1] == '\0')
        return 1;

    int radix = 0, maxDigits = 0;
    switch (p[1]) {
    case '#': radix = 10; maxDigits = 3; break;
    case '0': radix = 8; maxDigits = 3; break;
    case 'x':
    case 'X': radix = 16; maxDigits = 2; break;
    default: return 2;
    }
    size_t n = 2;
    while ((int)(n - 2) < maxDigits && IsDigitOf(p[n], radix))
        n++;
    return n;
}

size_t EscapedPrefixLength(const char *text, size_t limit)
{
    size_t len = 0;
    while (text[len]) {
        size_t unit = UnitLength(text + len);
        if (len + unit > limit)
            break;
        len += unit;
    }
    return len;
}

char *LegalNoticeInfValue(const char *notice, size_t *pLength)
{
    size_t total = EscapedPrefixLength(notice, LEGALNOTICETEXTLEN);
    size_t pieces = total / (PIECELEN - 8) + 2;
    size_t room = total + pieces * PIECEKEYLEN + 1;
    char *value = (char *)malloc(room);

    *pLength = total;
    if (!value) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return NULL;
    }
    value[0] = '\0';

    size_t used = 0, out = 0;
    for (int n = 0; n == 0 || used < total; n++) {
        size_t len = EscapedPrefixLength(notice + used, PIECELEN);
        if (used + len > total)
            len = total - used;

        char piece[PIECELEN + 2];
        memcpy(piece, notice + used, len);
        used += len;
        /* a backslash at the end continues the text; a piece that ends in a
         * backslash of its own needs one more, or the reader takes it */
        if (used < total || (len && piece[len - 1] == '\\'))
            piece[len++] = '\\';
        piece[len] = '\0';

        char quoted[PIECELEN + 4];
        QuoteProfileValue(quoted, sizeof quoted, piece);
        if (n > 0)
            out += (size_t)snprintf(value + out, room - out, "\r\n_LegalNoticeText%d=", n);
        out += (size_t)snprintf(value + out, room - out, "%s", quoted);
    }
    return value;
}

} // namespace zv
