/*
 * openvalue.cpp - the OPEN command without its --dat option.  The words are
 * taken apart as the runtime's command-line parser takes them, so that only
 * a real --dat and its value go (not, say, the value of --log).
 */
#include "writer_int.h"
#include "asciitext.h"

namespace zv {

struct OPTIONWORD {
    char cLetter;
    const char *pszName;
    int fTakesValue;
    int fDat;
};

static const OPTIONWORD aOptions[] = {
    { 'i', "inf", 1, 0 },
    { 'l', "log", 1, 0 },
    { 'd', "dat", 1, 1 },
    { 't', "test", 0, 0 },
};

/* The option word at p ('-' or '/'): its entry or NULL, and where the
 * parser goes on after it. */
static const OPTIONWORD *OptionAt(const char *p, const char **resume)
{
    const OPTIONWORD *opt = NULL;
    const char *after = NULL;
    const int count = (int)(sizeof aOptions / sizeof aOptions[0]);

    if (p[1] == '-' || p[1] == '/') {
        for (int i = 0; i < count && !opt; i++)
            if (StartsWithNoCase(p + 2, aOptions[i].pszName)) {
                opt = &aOptions[i];
                after = p + 2 + strlen(aOptions[i].pszName);
            }
        if (!opt) {
            *resume = WordEnd(p + 2);
            return NULL;
        }
    } else {
        char letter = LowerAscii(p[1]);
        for (int i = 0; i < count && !opt && letter; i++)
            if (aOptions[i].cLetter == letter) {
                opt = &aOptions[i];
                after = p + 2;
            }
        if (!opt) {
            *resume = WordEnd(p + 1);
            return NULL;
        }
    }

    if (opt->fTakesValue) {
        after = SkipBlanks(after);
        if (*after == '"') {
            after++;
            while (*after && *after != '"')
                after++;
            if (*after)
                after++;
        } else {
            after = WordEnd(after);
        }
    }
    *resume = after;
    return opt;
}

int OpenWithoutDat(char *dst, size_t size, const char *open)
{
    size_t len = strlen(open);
    if (len >= size)
        return ZV_TOOSMALL;

    size_t out = 0;
    const char *copied = open;   /* what is kept runs from here */
    const char *p = open;
    int removed = 0;
    for (;;) {
        p = SkipBlanks(p);
        if (!*p)
            break;
        if (*p != '-' && *p != '/') {
            p = WordEnd(p);
            continue;
        }
        const char *start = p;
        const OPTIONWORD *opt = OptionAt(p, &p);
        if (!opt || !opt->fDat)
            continue;
        /* the option goes with the blanks before it */
        const char *cut = start;
        while (cut > copied && IsBlank(cut[-1]))
            cut--;
        memcpy(dst + out, copied, (size_t)(cut - copied));
        out += (size_t)(cut - copied);
        copied = p;
        removed = 1;
    }
    /* an option at the very start leaves the blanks after it */
    if (removed && out == 0)
        copied = SkipBlanks(copied);
    size_t rest = strlen(copied);
    memcpy(dst + out, copied, rest + 1);
    return 0;
}

} // namespace zv
