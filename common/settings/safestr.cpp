/*
 * safestr.cpp - bounded string helpers: a text that does not fit leaves the
 * destination exactly as it was, so a too-long setting keeps its default.
 */
#include "safestr.h"

#include <stdio.h>

namespace zv {

int memcpy_s(void *dst, size_t size, const void *src, size_t count)
{
    if (count > size)
        return ZV_TOOSMALL;
    memcpy(dst, src, count);
    return 0;
}

int strcpy_s(char *dst, size_t size, const char *src)
{
    size_t len = strlen(src);
    if (len >= size)
        return ZV_TOOSMALL;
    /* memmove: callers shift text left inside one buffer */
    memmove(dst, src, len + 1);
    return 0;
}

int strcat_s(char *dst, size_t size, const char *src)
{
    size_t dlen = strlen(dst), slen = strlen(src);
    if (dlen + slen >= size)
        return ZV_TOOSMALL;
    memmove(dst + dlen, src, slen + 1);
    return 0;
}

int strncpy_s(char *dst, size_t size, const char *src, size_t count)
{
    size_t slen = strnlen(src, count);
    if (slen >= size)
        return ZV_TOOSMALL;
    memcpy(dst, src, slen);
    if (slen < count) {
        /* the source ended early: pad the count with NULs, never past size */
        size_t end = count < size ? count : size;
        memset(dst + slen, 0, end - slen);
    }
    return 0;
}

static int ChangeCase(char *text, size_t size, char from, char to)
{
    size_t len = strlen(text);
    if (len > size)
        return ZV_TOOSMALL;
    for (char *p = text; *p; p++)
        if (*p >= from && *p <= from + 25)
            *p = (char)(*p - from + to);
    return 0;
}

int _strupr_s(char *text, size_t size) { return ChangeCase(text, size, 'a', 'A'); }
int _strlwr_s(char *text, size_t size) { return ChangeCase(text, size, 'A', 'a'); }

int _itoa_s(int value, char *dst, size_t size, int radix)
{
    char buf[268];
    char *p = buf + sizeof buf - 1;
    unsigned int u;
    int neg = 0;

    if (radix < 2 || radix > 36)
        return ZV_TOOSMALL;
    if (radix == 10 && value < 0) {
        neg = 1;
        u = 0u - (unsigned int)value;
    } else {
        u = (unsigned int)value;
    }
    *p = '\0';
    do {
        unsigned int d = u % (unsigned int)radix;
        *--p = (char)(d < 10 ? '0' + d : 'a' + d - 10);
        u /= (unsigned int)radix;
    } while (u);
    if (neg)
        *--p = '-';
    return strcpy_s(dst, size, p);
}

int _gcvt_s(char *dst, size_t size, double value, int digits)
{
    char buf[268];
    /* the widest text: digits, sign, point and a five-character exponent */
    if (digits < 1 || digits > 255)
        return ZV_TOOSMALL;
    if (!::_gcvt(value, digits, buf))
        return ZV_TOOSMALL;
    return strcpy_s(dst, size, buf);
}

int localtime_s(struct tm *result, const time_t *t)
{
    struct tm *lt = ::localtime(t);
    if (!lt)
        return ZV_TOOSMALL;
    *result = *lt;
    return 0;
}

int ctime_s(char *dst, size_t size, const time_t *t)
{
    static const char days[] = "SunMonTueWedThuFriSat";
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    struct tm lt;
    char buf[64];

    if (size < 26 || zv::localtime_s(&lt, t) != 0)
        return ZV_TOOSMALL;
    snprintf(buf, sizeof buf, "%.3s %.3s %2d %02d:%02d:%02d %d\n",
             days + 3 * lt.tm_wday, months + 3 * lt.tm_mon, lt.tm_mday,
             lt.tm_hour, lt.tm_min, lt.tm_sec, lt.tm_year + 1900);
    return strcpy_s(dst, size, buf);
}

char *strtok_s(char *text, const char *delims, char **position)
{
    char *p = text ? text : *position;
    if (!p)
        return NULL;
    p += strspn(p, delims);
    if (!*p) {
        *position = NULL;
        return NULL;
    }
    char *end = p + strcspn(p, delims);
    if (*end) {
        *end = '\0';
        *position = end + 1;
    } else {
        *position = NULL;
    }
    return p;
}

const unsigned char *boyermoore_horspool_memmem(const unsigned char *haystack, size_t hlen,
                                                const unsigned char *needle, size_t nlen)
{
    size_t skip[256];

    if (nlen == 0 || !haystack || !needle || nlen > hlen)
        return NULL;
    for (size_t i = 0; i < 256; i++)
        skip[i] = nlen;
    for (size_t i = 0; i + 1 < nlen; i++)
        skip[needle[i]] = nlen - 1 - i;

    size_t last = nlen - 1;
    while (hlen >= nlen) {
        if (haystack[last] == needle[last] && memcmp(haystack, needle, last) == 0)
            return haystack;
        size_t s = skip[haystack[last]];
        haystack += s;
        hlen -= s;
    }
    return NULL;
}

} // namespace zv
