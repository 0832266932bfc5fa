/*
 * safestr.h - the system's own bounded string helpers and the byte search.
 *
 * The C runtime declares functions of the same names with other rules (they
 * empty the destination and may call an invalid-parameter handler).  Ours
 * live in namespace zv, so every unqualified call from the project's code,
 * which is all inside zv, binds to these.  Rule shared by all of them: 0 on
 * success; 4 when the result does not fit, with the destination unchanged.
 */
#ifndef ZV_SAFESTR_H
#define ZV_SAFESTR_H

#include <stddef.h>
#include <string.h>
#include <stdlib.h>
#include <time.h>

namespace zv {

enum { ZV_TOOSMALL = 4 };

int memcpy_s(void *dst, size_t size, const void *src, size_t count);
int strcpy_s(char *dst, size_t size, const char *src);
int strcat_s(char *dst, size_t size, const char *src);
int strncpy_s(char *dst, size_t size, const char *src, size_t count);
int _strupr_s(char *text, size_t size);
int _strlwr_s(char *text, size_t size);
int _itoa_s(int value, char *dst, size_t size, int radix);
int _gcvt_s(char *dst, size_t size, double value, int digits);
int ctime_s(char *dst, size_t size, const time_t *t);
/* struct tm makes the CRT's localtime_s visible too: call it as zv::localtime_s */
int localtime_s(struct tm *result, const time_t *t);
char *strtok_s(char *text, const char *delims, char **position);

/* First occurrence of needle in haystack (bytes, NULs included), or NULL. */
const unsigned char *boyermoore_horspool_memmem(const unsigned char *haystack, size_t hlen,
                                                const unsigned char *needle, size_t nlen);

} // namespace zv

#endif
