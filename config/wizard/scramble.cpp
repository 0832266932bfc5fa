/*
 * scramble.cpp - the scrambled form of an AUTORUN.INF value: "%%", then two
 * hex digits for each byte combined with the scrambling key.  A byte equal
 * to its key character would become NUL and is written as 0x80 instead.
 */
#include "wizard.h"

#include <stdio.h>

namespace zv {

static const size_t SCRAMBLEKEYLEN = 59;

size_t EncodeString(char *dst, size_t size, const char *value)
{
    char work[PATHLEN];
    if (size == 0)
        return 0;
    if (strcpy_s(work, sizeof work, value) != 0 || 2 + 2 * strlen(work) + 1 > size) {
        dst[0] = '\0';
        return 0;
    }
    size_t out = 0;
    dst[out++] = '%';
    dst[out++] = '%';
    for (size_t i = 0; work[i]; i++) {
        unsigned b = (unsigned char)work[i] ^ (unsigned char)szScrambleKey[i % SCRAMBLEKEYLEN];
        snprintf(dst + out, 3, "%02X", b ? b : 0x80u);
        out += 2;
    }
    dst[out] = '\0';
    return out;
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

size_t DecodeString(char *dst, size_t size, const char *scrambled)
{
    if (size == 0)
        return 0;
    size_t len = strlen(scrambled);
    /* a last digit without its partner ends the text */
    size_t count = len < 2 ? 0 : (len - 2) / 2;
    if (count + 1 > size) {
        dst[0] = '\0';
        return 0;
    }
    const char *p = scrambled + (len < 2 ? len : 2);
    for (size_t i = 0; i < count; i++, p += 2) {
        unsigned b = (unsigned)(HexDigit(p[0]) << 4 | HexDigit(p[1]));
        if (b == 0x80)
            b = 0;
        dst[i] = (char)(b ^ (unsigned char)szScrambleKey[i % SCRAMBLEKEYLEN]);
    }
    dst[count] = '\0';
    return count;
}

} // namespace zv
