/*
 * asciitext.h - the few text tests that command lines, INI values and file
 * extensions need, in plain ASCII: bytes of the upper half are never blanks
 * and have no case, whatever the locale.
 */
#ifndef ZV_ASCIITEXT_H
#define ZV_ASCIITEXT_H

namespace zv {

/* The C library's six white-space characters. */
int IsBlank(char c);
char LowerAscii(char c);
/* a and b are the same text but for the case of ASCII letters. */
int SameTextNoCase(const char *a, const char *b);
/* text begins with prefix, the case of ASCII letters aside. */
int StartsWithNoCase(const char *text, const char *prefix);
/* The first blank or the end of the text from p on. */
const char *WordEnd(const char *p);
/* The first byte from p on that is not a blank. */
const char *SkipBlanks(const char *p);

} // namespace zv

#endif
