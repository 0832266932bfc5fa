/*
 * programcheck.cpp - whether a program or library file is whole where the
 * platform's icon extraction reads it: the PE headers, the section table,
 * the resource tree with its names and data entries, and (for icons) every
 * icon group and icon image.  The extraction maps the file and follows
 * these offsets unchecked, so a file cut short or with a lying count would
 * take the asking program down.
 *
 * Only headers, directories and the first bytes of each icon image are
 * read, by offset through a small window: a large setup program costs a
 * few reads, never a read of the whole file.  Every sum is in 64 bits.
 */
#include "filecheck.h"

#include <string.h>

namespace zv {

/* ---- reading by offset ---- */

enum { WINDOW_ALIGN = 4096, WINDOW_BYTES = 2 * WINDOW_ALIGN };

struct SOURCE {
    HANDLE file;
    ULONGLONG size;
    ULONGLONG windowAt;
    DWORD windowBytes;
    BYTE window[WINDOW_BYTES];
};

/* bytes bytes at offset, all of them inside the file (at most a window's
 * alignment at a time, which is all any caller asks). */
static int Fetch(SOURCE *s, ULONGLONG offset, void *out, DWORD bytes)
{
    if (bytes > WINDOW_ALIGN || offset > s->size || bytes > s->size - offset)
        return 0;
    if (offset < s->windowAt || offset + bytes > s->windowAt + s->windowBytes) {
        ULONGLONG at = offset & ~(ULONGLONG)(WINDOW_ALIGN - 1);
        DWORD got = 0;
        s->windowBytes = 0;
        if (!ReadAt(s->file, at, s->window, WINDOW_BYTES, &got))
            return 0;
        s->windowAt = at;
        s->windowBytes = got;
        if (offset + bytes > at + got)
            return 0;
    }
    memcpy(out, s->window + (offset - s->windowAt), bytes);
    return 1;
}

/* ---- the PE image ---- */

enum {
    DOS_HEADER = 64,
    PE_SIGNATURE = 4,
    FILE_HEADER = 20,
    SECTION_HEADER = 40,
    MOST_SECTIONS = 96,            /* the platform's own limit */
    PE32_MAGIC = 0x10B,
    PE32PLUS_MAGIC = 0x20B,
    PE32_DIRECTORIES = 96,         /* where the data directories begin */
    PE32PLUS_DIRECTORIES = 112,
    SIZE_OF_HEADERS = 60,          /* in the optional header, either format */
    RESOURCE_DIRECTORY = 2
};

struct SECTION {
    ULONGLONG rva, rawAt, rawBytes;
};

struct IMAGE {
    SOURCE *source;
    int sections;
    SECTION section[MOST_SECTIONS];
    /* the resource tree: offsets in it count from its root */
    ULONGLONG rootAt, treeBytes;
    int icons;
    int visitsLeft;
};

/* Headers and section table; 0 for anything but a PE image that holds
 * them and whose sections' raw data lie in the file.  The address of the
 * resource directory comes back. */
static int ReadHeaders(IMAGE *image, ULONGLONG *resourceRva)
{
    SOURCE *s = image->source;
    BYTE dos[DOS_HEADER], head[PE_SIGNATURE + FILE_HEADER], optional[8];

    if (!Fetch(s, 0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z')
        return 0;
    /* a 16-bit (NE) program, or any other kind behind the DOS header,
     * has no icon this system shows */
    ULONGLONG pe = LeDword(dos + 0x3C);
    if (!Fetch(s, pe, head, sizeof head) || memcmp(head, "PE\0\0", PE_SIGNATURE) != 0)
        return 0;
    image->sections = LeWord(head + PE_SIGNATURE + 2);
    ULONGLONG optionalAt = pe + sizeof head, optionalBytes = LeWord(head + PE_SIGNATURE + 16);
    if (image->sections > MOST_SECTIONS || !Fetch(s, optionalAt, optional, 2))
        return 0;
    WORD magic = LeWord(optional);
    ULONGLONG directories = magic == PE32_MAGIC ? PE32_DIRECTORIES : magic == PE32PLUS_MAGIC ? PE32PLUS_DIRECTORIES : 0;
    /* the resource entry is read whatever the directory count says */
    ULONGLONG entryAt = directories + 8 * RESOURCE_DIRECTORY;
    if (!directories || optionalBytes < entryAt + 8 || !Fetch(s, optionalAt + entryAt, optional, 4))
        return 0;
    *resourceRva = LeDword(optional);
    /* an address inside the headers is taken as a place in the file as
     * it stands: resources never live there */
    if (!Fetch(s, optionalAt + SIZE_OF_HEADERS, optional, 4) || (*resourceRva && *resourceRva < LeDword(optional)))
        return 0;

    ULONGLONG tableAt = optionalAt + optionalBytes;
    for (int i = 0; i < image->sections; i++) {
        BYTE h[SECTION_HEADER];
        SECTION *section = &image->section[i];
        if (!Fetch(s, tableAt + (ULONGLONG)i * SECTION_HEADER, h, sizeof h))
            return 0;
        section->rva = LeDword(h + 12);
        section->rawBytes = LeDword(h + 16);
        section->rawAt = LeDword(h + 20);
        if (section->rva == 0 || (section->rawBytes && section->rawAt + section->rawBytes > s->size))
            return 0;
        /* no two sections claim one address: each address has one place
         * in the file, whichever section a reader looks in first */
        for (int j = 0; j < i; j++) {
            const SECTION *other = &image->section[j];
            if (section->rawBytes && other->rawBytes && section->rva < other->rva + other->rawBytes &&
                other->rva < section->rva + section->rawBytes)
                return 0;
        }
    }
    return 1;
}

/* The section whose raw data hold rva..rva+bytes, or NULL. */
static const SECTION *SectionOf(const IMAGE *image, ULONGLONG rva, ULONGLONG bytes)
{
    for (int i = 0; i < image->sections; i++) {
        const SECTION *section = &image->section[i];
        if (section->rawBytes && rva >= section->rva && rva + bytes <= section->rva + section->rawBytes)
            return section;
    }
    return NULL;
}

/* The resource tree: from the resource directory to the end of the
 * section's raw data that holds it. */
static int FindTree(IMAGE *image, ULONGLONG rva)
{
    const SECTION *section = SectionOf(image, rva, 1);
    if (!section)
        return 0;
    image->rootAt = section->rawAt + (rva - section->rva);
    image->treeBytes = section->rawBytes - (rva - section->rva);
    return 1;
}

/* bytes of the tree at offset from its root. */
static int FetchTree(IMAGE *image, ULONGLONG offset, void *out, DWORD bytes)
{
    return offset + bytes <= image->treeBytes && Fetch(image->source, image->rootAt + offset, out, bytes);
}

/* ---- the resource tree ---- */

/* An entry's name is a string, its target a directory. */
static const DWORD HIGH_BIT = 0x80000000u;

enum {
    DIRECTORY_HEADER = 16,
    DIRECTORY_ENTRY = 8,
    DATA_ENTRY = 16,
    TREE_LEVELS = 3,               /* types, names, languages */
    MOST_VISITS = 1 << 17,         /* directories and entries of one file */
    GROUP_HEADER = 6,
    GROUP_ENTRY = 14,
    ICON_TYPE = 3,                 /* RT_ICON */
    GROUP_ICON_TYPE = 14           /* RT_GROUP_ICON */
};

/* A resource's data: in a section's raw data and, for the icon types,
 * a whole group or image. */
static int DataFits(IMAGE *image, ULONGLONG entry, DWORD type)
{
    BYTE e[DATA_ENTRY], head[ICONIMAGE_HEAD];

    if (!FetchTree(image, entry, e, sizeof e))
        return 0;
    DWORD rva = LeDword(e), bytes = LeDword(e + 4);
    const SECTION *section = SectionOf(image, rva, bytes);
    if (!section)
        return 0;
    if (!image->icons || (type != ICON_TYPE && type != GROUP_ICON_TYPE))
        return 1;
    ULONGLONG at = section->rawAt + (rva - section->rva);
    DWORD headBytes = bytes < sizeof head ? bytes : (DWORD)sizeof head;
    if (!Fetch(image->source, at, head, headBytes))
        return 0;
    if (type == ICON_TYPE)
        return IconImageDataFits(head, bytes);
    return bytes >= GROUP_HEADER && GROUP_HEADER + (ULONGLONG)LeWord(head + 4) * GROUP_ENTRY <= bytes;
}

/* A directory at level (1 for the root) and everything below it.  Types
 * and names lead to directories, languages to data: the extraction takes
 * each entry for what its level says it is. */
static int TreeFits(IMAGE *image, ULONGLONG offset, int level, DWORD type)
{
    BYTE head[DIRECTORY_HEADER];

    if (--image->visitsLeft < 0 || !FetchTree(image, offset, head, sizeof head))
        return 0;
    int entries = LeWord(head + 12) + LeWord(head + 14);
    /* a language directory without one language has no data to take */
    if (level == TREE_LEVELS && entries == 0)
        return 0;
    for (int i = 0; i < entries; i++) {
        BYTE e[DIRECTORY_ENTRY];
        if (--image->visitsLeft < 0 ||
            !FetchTree(image, offset + DIRECTORY_HEADER + (ULONGLONG)i * DIRECTORY_ENTRY, e, sizeof e))
            return 0;
        DWORD name = LeDword(e), target = LeDword(e + 4);
        if (name & HIGH_BIT) {
            BYTE length[2];
            ULONGLONG at = name & ~HIGH_BIT;
            if (!FetchTree(image, at, length, sizeof length) || at + 2 + 2 * (ULONGLONG)LeWord(length) > image->treeBytes)
                return 0;
        }
        if (((target & HIGH_BIT) != 0) != (level < TREE_LEVELS))
            return 0;
        DWORD below = level == 1 ? ((name & HIGH_BIT) ? 0 : name) : type;
        if (level < TREE_LEVELS ? !TreeFits(image, target & ~HIGH_BIT, level + 1, below)
                                : !DataFits(image, target, type))
            return 0;
    }
    return 1;
}

int ProgramFits(HANDLE file, ULONGLONG size, int icons)
{
    IMAGE image;
    SOURCE source;
    ULONGLONG rva = 0;

    memset(&image, 0, sizeof image);
    source.file = file;
    source.size = size;
    source.windowAt = 0;
    source.windowBytes = 0;
    image.source = &source;
    image.icons = icons;
    image.visitsLeft = MOST_VISITS;
    if (!ReadHeaders(&image, &rva))
        return 0;
    if (rva == 0)
        return 1;               /* no resources: nothing is read */
    return FindTree(&image, rva) && TreeFits(&image, 0, 1, 0);
}

} // namespace zv
