/*
 * neprogramcheck.cpp - whether a 16-bit (NE) program is whole where the
 * platform's icon extraction reads it.  The extraction walks the resource
 * table from the NE header to its terminating zero, shifts each
 * resource's offset and length by the table's alignment and reads the icon
 * groups and images there, all unchecked: a table, resource, group or
 * image that runs past the file takes the asking program down.
 */
#include "filecheck.h"

#include <stddef.h>

#include "programread.h"

namespace zv {

enum {
    TYPE_ENTRY = 8,                /* type id, count, a loader's address */
    RESOURCE_ENTRY = 12,           /* offset, length, flags, id, two words */
    MOST_SHIFT = 15                /* a larger one moves offsets past any file */
};
/* numbered types carry the top bit */
static const WORD NE_ICON = 0x8000 | LOWORD(RT_ICON), NE_GROUP_ICON = 0x8000 | LOWORD(RT_GROUP_ICON);

/* One resource: its bytes (offset and length after the shift) lie in
 * the file; an icon group holds its entries there, an icon image its
 * parts inside its length. */
static int NeResourceFits(const PROGRAMSOURCE *s, const BYTE *entry, int shift, WORD type)
{
    BYTE head[ICONIMAGE_HEAD];
    ULONGLONG at = (ULONGLONG)LeWord(entry) << shift, bytes = (ULONGLONG)LeWord(entry + 2) << shift;

    if (at + bytes > s->size)
        return 0;
    if (type != NE_ICON && type != NE_GROUP_ICON)
        return 1;
    ULONGLONG room = s->size - at;
    DWORD headBytes = room < sizeof head ? (DWORD)room : (DWORD)sizeof head;
    if (!FetchProgramBytes(s, at, head, headBytes))
        return 0;
    /* the group is read as far as its count says, whatever its length */
    if (type == NE_GROUP_ICON)
        return IconGroupFits(head, room);
    return IconImageDataFits(head, (DWORD)bytes);
}

/* The extraction takes the groups of the last group type and the images
 * of the last icon type it meets until it has met both, and an index as
 * a signed number below the group count: a negative one reads entries
 * ahead of the groups.  1 when index is one of those groups, or when no
 * icons are found (nothing is read). */
static int NeIndexFits(int groups, int haveImages, UINT index)
{
    return groups < 0 || !haveImages || ((INT)index >= 0 && (INT)index < groups);
}

int NeProgramFits(const PROGRAMSOURCE *s, ULONGLONG headerAt, UINT index)
{
    BYTE header[sizeof(IMAGE_OS2_HEADER)], word[2];

    if (!FetchProgramBytes(s, headerAt, header, sizeof header))
        return 0;
    int table = LeWord(header + offsetof(IMAGE_OS2_HEADER, ne_rsrctab));
    int names = LeWord(header + offsetof(IMAGE_OS2_HEADER, ne_restab));
    /* a table too small for one type: the extraction finds no resources */
    if (names - table >= 0 && names - table <= TYPE_ENTRY)
        return 1;
    ULONGLONG at = headerAt + (ULONGLONG)table;
    if (!FetchProgramBytes(s, at, word, sizeof word))
        return 0;
    int shift = LeWord(word);
    if (shift > MOST_SHIFT)
        return 0;
    int visitsLeft = PROGRAM_MOST_VISITS, groups = -1, haveImages = 0;
    for (at += sizeof word;; ) {
        BYTE type[TYPE_ENTRY];
        if (--visitsLeft < 0 || !FetchProgramBytes(s, at, type, sizeof(WORD)))
            return 0;
        WORD id = LeWord(type);
        if (id == 0)
            return NeIndexFits(groups, haveImages, index);
        if (!FetchProgramBytes(s, at, type, sizeof type))
            return 0;
        int count = LeWord(type + 2);
        if (groups < 0 || !haveImages) {
            if (id == NE_GROUP_ICON)
                groups = count;
            haveImages |= id == NE_ICON;
        }
        at += sizeof type;
        for (int i = 0; i < count; i++, at += RESOURCE_ENTRY) {
            BYTE entry[RESOURCE_ENTRY];
            if (--visitsLeft < 0 || !FetchProgramBytes(s, at, entry, sizeof entry) ||
                !NeResourceFits(s, entry, shift, id))
                return 0;
        }
    }
}

} // namespace zv
