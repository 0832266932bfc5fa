/*
 * escapes.cpp - the one-line escaped form of the copyright and legal-notice
 * texts, and its decoding.
 */
#include "settings.h"

#include <stdio.h>
#include <stdlib.h>

namespace zv {

size_t CoprPrint(char *dst, size_t size, const char *src)
{
    size_t srclen = strlen(src);
    size_t out = 0;

    if (size == 0)
        return srclen;
    dst[0] = '\0';
    for (const unsigned char *p = (const unsigned char *)src; *p && out < size - 1; p++) {
        char piece[8];
        size_t len;

        if (*p >= 0x20 && *p <= 0x7E) {
            piece[0] = (char)*p;
            len = 1;
        } else if (*p == '\n') {
            piece[0] = '\\';
            piece[1] = 'n';
            len = 2;
        } else if (*p == '\r') {
            continue;
        } else {
            len = (size_t)snprintf(piece, sizeof piece, "\\#%u", (unsigned)*p);
        }
        /* an escape that does not fit whole is cut at the end of the room */
        if (len > size - 1 - out)
            len = size - 1 - out;
        memcpy(dst + out, piece, len);
        out += len;
    }
    dst[out] = '\0';
    return srclen;
}

void CoprPrintInplace(char *buffer, size_t size)
{
    size_t len = strlen(buffer) + 1;
    char *copy = (char *)malloc(len);

    /* without a working copy the text stays as it is */
    if (!copy)
        return;
    memcpy(copy, buffer, len);
    buffer[0] = '\0';
    CoprPrint(buffer, size, copy);
    free(copy);
}

static int DigitValue(char c, unsigned radix)
{
    int v;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    else
        return -1;
    return (unsigned)v < radix ? v : -1;
}

/* Up to maxDigits digits of radix at p, kept in 8 bits; *end is set past
 * them.  Returns -1 when there is no digit. */
static int ReadNumber(const char *p, unsigned radix, int maxDigits, const char **end)
{
    unsigned value = 0;
    int n = 0, d;

    while (n < maxDigits && (d = DigitValue(p[n], radix)) >= 0) {
        value = (value * radix + (unsigned)d) & 0xFF;
        n++;
    }
    *end = p + n;
    return n ? (int)value : -1;
}

void PreProcess(char *buffer, size_t size)
{
    for (size_t i = 0; i + 1 < size && buffer[i]; i++) {
        if (buffer[i] != '\\')
            continue;

        const char *esc = buffer + i + 1;
        const char *end = esc + 1;
        int value;

        switch (*esc) {
        case '\0':
            return;
        case '#':
            value = ReadNumber(esc + 1, 10, 3, &end);
            break;
        case '0':
            value = ReadNumber(esc + 1, 8, 3, &end);
            break;
        case 'x':
        case 'X':
            value = ReadNumber(esc + 1, 16, 2, &end);
            break;
        case 'n':
        case 'N':
        case 'r':
        case 'R':
            value = '\n';
            break;
        case '\\':
            value = '\\';
            break;
        default:
            value = -1;
            break;
        }
        /* no NUL can be put into a text: a value of 0 stays escaped */
        if (value <= 0)
            continue;

        buffer[i] = (char)value;
        if (strcpy_s(buffer + i + 1, size - i - 1, end) != 0)
            buffer[i] = '\\';   /* a size smaller than the text: leave it */
    }
}

} // namespace zv
