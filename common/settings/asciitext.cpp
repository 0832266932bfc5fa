/*
 * asciitext.cpp - ASCII-only text tests shared by every program.
 */
#include "asciitext.h"

namespace zv {

int IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

int SameTextNoCase(const char *a, const char *b)
{
    for (; *a && *b; a++, b++)
        if (LowerAscii(*a) != LowerAscii(*b))
            return 0;
    return *a == *b;
}

int StartsWithNoCase(const char *text, const char *prefix)
{
    for (; *prefix; prefix++, text++)
        if (LowerAscii(*text) != LowerAscii(*prefix))
            return 0;
    return 1;
}

const char *WordEnd(const char *p)
{
    while (*p && !IsBlank(*p))
        p++;
    return p;
}

const char *SkipBlanks(const char *p)
{
    while (IsBlank(*p))
        p++;
    return p;
}

} // namespace zv
