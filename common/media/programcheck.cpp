/*
 * programcheck.cpp - whether a program or library file is whole where the
 * platform's icon extraction reads it: the PE headers, the section table,
 * the resource tree with its names and data entries, and (for icons) every
 * icon group and icon image it can reach.  The extraction maps the file
 * and follows these offsets unchecked, so a file cut short or with a lying
 * count would take the asking program down.  16-bit programs are checked
 * in neprogramcheck.cpp.
 *
 * Only headers, directories and the first bytes of each icon image are
 * read, by offset: a large setup program costs a few reads, never a read
 * of the whole file.  Every sum is in 64 bits.
 */
#include "filecheck.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "programread.h"

namespace zv {

/* ---- reading by offset ---- */

int FetchProgramBytes(const PROGRAMSOURCE *s, ULONGLONG offset, void *out, DWORD bytes)
{
    DWORD got = 0;
    if (offset > s->size || bytes > s->size - offset)
        return 0;
    return ReadAt(s->file, offset, out, bytes, &got) && got == bytes;
}

/* ---- the PE image ---- */

/* Field places of the headers, read by offset. */
enum {
    SIZE_OF_HEADERS = offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders),
    RESOURCE_ENTRY32 = offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory) +
                       IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof(IMAGE_DATA_DIRECTORY),
    RESOURCE_ENTRY64 = offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory) +
                       IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof(IMAGE_DATA_DIRECTORY)
};

/* A section with raw data in the file; sections without any hold no
 * address the extraction can find. */
struct SECTION {
    ULONGLONG rva, rawAt, rawBytes;
};

struct IMAGE {
    const PROGRAMSOURCE *source;
    int sections;
    SECTION *section;              /* by address, none overlapping */
    /* the resource tree: offsets in it count from its root */
    ULONGLONG rootAt, treeBytes;
    int icons;
    int visitsLeft;
};

static int ByAddress(const void *a, const void *b)
{
    ULONGLONG x = ((const SECTION *)a)->rva, y = ((const SECTION *)b)->rva;
    return x < y ? -1 : x > y;
}

/* The section table of count entries at tableAt.  Every section's raw
 * data lie in the file and below 4 GB of addresses, and no two sections
 * claim one address: each address has one place in the file, whichever
 * section a reader looks in first. */
static int ReadSections(IMAGE *image, ULONGLONG tableAt, int count)
{
    enum { HEADERS_A_READ = 64 };
    const PROGRAMSOURCE *s = image->source;
    BYTE block[HEADERS_A_READ * IMAGE_SIZEOF_SECTION_HEADER];

    image->section = (SECTION *)malloc(((size_t)count + 1) * sizeof(SECTION));
    if (!image->section)
        return 0;
    for (int i = 0; i < count; i++) {
        int k = i % HEADERS_A_READ, n = count - i < HEADERS_A_READ ? count - i : HEADERS_A_READ;
        if (k == 0 && !FetchProgramBytes(s, tableAt + (ULONGLONG)i * IMAGE_SIZEOF_SECTION_HEADER, block,
                                         (DWORD)n * IMAGE_SIZEOF_SECTION_HEADER))
            return 0;
        const BYTE *h = block + k * IMAGE_SIZEOF_SECTION_HEADER;
        SECTION section;
        section.rva = LeDword(h + offsetof(IMAGE_SECTION_HEADER, VirtualAddress));
        section.rawBytes = LeDword(h + offsetof(IMAGE_SECTION_HEADER, SizeOfRawData));
        section.rawAt = LeDword(h + offsetof(IMAGE_SECTION_HEADER, PointerToRawData));
        if (section.rva == 0)
            return 0;
        if (!section.rawBytes)
            continue;
        if (section.rawAt + section.rawBytes > s->size || section.rva + section.rawBytes > 0x100000000ull)
            return 0;
        image->section[image->sections++] = section;
    }
    qsort(image->section, (size_t)image->sections, sizeof(SECTION), ByAddress);
    for (int i = 1; i < image->sections; i++)
        if (image->section[i - 1].rva + image->section[i - 1].rawBytes > image->section[i].rva)
            return 0;
    return 1;
}

/* Headers and section table; 0 for anything but a PE image that holds
 * them and whose sections' raw data lie in the file.  The address of the
 * resource directory comes back. */
static int ReadHeaders(IMAGE *image, ULONGLONG peAt, ULONGLONG *resourceRva)
{
    const PROGRAMSOURCE *s = image->source;
    BYTE head[sizeof(DWORD) + IMAGE_SIZEOF_FILE_HEADER], optional[4];

    if (!FetchProgramBytes(s, peAt, head, sizeof head) || LeDword(head) != IMAGE_NT_SIGNATURE)
        return 0;
    const BYTE *file = head + sizeof(DWORD);
    int sections = LeWord(file + offsetof(IMAGE_FILE_HEADER, NumberOfSections));
    ULONGLONG optionalAt = peAt + sizeof head;
    ULONGLONG optionalBytes = LeWord(file + offsetof(IMAGE_FILE_HEADER, SizeOfOptionalHeader));
    if (!FetchProgramBytes(s, optionalAt, optional, 2))
        return 0;
    WORD magic = LeWord(optional);
    ULONGLONG entryAt = magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC   ? RESOURCE_ENTRY32
                        : magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC ? RESOURCE_ENTRY64
                                                                 : 0;
    /* the resource entry is read whatever the directory count says */
    if (!entryAt || optionalBytes < entryAt + sizeof(IMAGE_DATA_DIRECTORY) ||
        !FetchProgramBytes(s, optionalAt + entryAt, optional, 4))
        return 0;
    *resourceRva = LeDword(optional);
    /* an address inside the headers is taken as a place in the file as
     * it stands: resources never live there */
    if (!FetchProgramBytes(s, optionalAt + SIZE_OF_HEADERS, optional, 4) ||
        (*resourceRva && *resourceRva < LeDword(optional)))
        return 0;
    /* as many sections as the table holds inside the file: the loaders
     * of today know no smaller limit */
    return ReadSections(image, optionalAt + optionalBytes, sections);
}

/* The section whose raw data hold rva, or NULL (the platform finds no
 * place in the file for it either). */
static const SECTION *SectionOf(const IMAGE *image, ULONGLONG rva)
{
    int low = 0, high = image->sections - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        const SECTION *section = &image->section[middle];
        if (rva < section->rva)
            high = middle - 1;
        else if (rva >= section->rva + section->rawBytes)
            low = middle + 1;
        else
            return section;
    }
    return NULL;
}

/* The resource tree: from the resource directory to the end of the
 * section's raw data that holds it. */
static int FindTree(IMAGE *image, ULONGLONG rva)
{
    const SECTION *section = SectionOf(image, rva);
    if (!section)
        return 0;
    image->rootAt = section->rawAt + (rva - section->rva);
    image->treeBytes = section->rawBytes - (rva - section->rva);
    return 1;
}

/* bytes of the tree at offset from its root. */
static int FetchTree(IMAGE *image, ULONGLONG offset, void *out, DWORD bytes)
{
    return offset + bytes <= image->treeBytes && FetchProgramBytes(image->source, image->rootAt + offset, out, bytes);
}

/* ---- the resource tree ---- */

enum { TREE_LEVELS = 3 };          /* types, names, languages */
static const DWORD ICON_TYPE = LOWORD(RT_ICON), GROUP_ICON_TYPE = LOWORD(RT_GROUP_ICON);

/* A resource's data.  Only icons and icon groups are read by the
 * extraction, through the section whose raw data hold their address; one
 * that lies in no section's raw data is not found there and fails
 * cleanly.  What is found must hold, inside the file, every byte the
 * extraction reads: a group's entries, an image's header, colours and
 * masks. */
static int DataFits(IMAGE *image, ULONGLONG entry, DWORD type)
{
    BYTE e[sizeof(IMAGE_RESOURCE_DATA_ENTRY)], head[ICONIMAGE_HEAD];

    if (!FetchTree(image, entry, e, sizeof e))
        return 0;
    if (!image->icons || (type != ICON_TYPE && type != GROUP_ICON_TYPE))
        return 1;
    DWORD rva = LeDword(e + offsetof(IMAGE_RESOURCE_DATA_ENTRY, OffsetToData));
    DWORD bytes = LeDword(e + offsetof(IMAGE_RESOURCE_DATA_ENTRY, Size));
    const SECTION *section = SectionOf(image, rva);
    if (!section)
        return 1;
    ULONGLONG at = section->rawAt + (rva - section->rva), room = image->source->size - at;
    DWORD headBytes = room < sizeof head ? (DWORD)room : (DWORD)sizeof head;
    if (!FetchProgramBytes(image->source, at, head, headBytes))
        return 0;
    if (type == GROUP_ICON_TYPE)
        return IconGroupFits(head, room);
    return bytes <= room && IconImageDataFits(head, bytes);
}

/* A directory at level (1 for the root) and everything below it.  Types
 * and names lead to directories, languages to data: the extraction takes
 * each entry for what its level says it is. */
static int TreeFits(IMAGE *image, ULONGLONG offset, int level, DWORD type)
{
    BYTE head[sizeof(IMAGE_RESOURCE_DIRECTORY)];

    if (--image->visitsLeft < 0 || !FetchTree(image, offset, head, sizeof head))
        return 0;
    int named = LeWord(head + offsetof(IMAGE_RESOURCE_DIRECTORY, NumberOfNamedEntries));
    int entries = named + LeWord(head + offsetof(IMAGE_RESOURCE_DIRECTORY, NumberOfIdEntries));
    /* a language directory without one language has no data to take */
    if (level == TREE_LEVELS && entries == 0)
        return 0;
    for (int i = 0; i < entries; i++) {
        BYTE e[sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY)];
        if (--image->visitsLeft < 0 ||
            !FetchTree(image, offset + sizeof head + (ULONGLONG)i * sizeof e, e, sizeof e))
            return 0;
        DWORD name = LeDword(e), target = LeDword(e + 4);
        if (name & IMAGE_RESOURCE_NAME_IS_STRING) {
            BYTE length[2];
            ULONGLONG at = name & ~IMAGE_RESOURCE_NAME_IS_STRING;
            if (!FetchTree(image, at, length, sizeof length) || at + 2 + 2 * (ULONGLONG)LeWord(length) > image->treeBytes)
                return 0;
        }
        if (((target & IMAGE_RESOURCE_DATA_IS_DIRECTORY) != 0) != (level < TREE_LEVELS))
            return 0;
        /* the extraction looks a type up among the numbered entries by
         * the low word of its name, whatever the high word or the string
         * bit say: such an entry is that type */
        DWORD below = type;
        if (level == 1)
            below = i >= named || !(name & IMAGE_RESOURCE_NAME_IS_STRING) ? LOWORD(name) : 0;
        ULONGLONG to = target & ~IMAGE_RESOURCE_DATA_IS_DIRECTORY;
        if (level < TREE_LEVELS ? !TreeFits(image, to, level + 1, below) : !DataFits(image, to, type))
            return 0;
    }
    return 1;
}

int ProgramFits(HANDLE file, ULONGLONG size, int icons, UINT index)
{
    IMAGE image;
    PROGRAMSOURCE source;
    BYTE dos[sizeof(IMAGE_DOS_HEADER)], signature[2];
    ULONGLONG rva = 0;

    source.file = file;
    source.size = size;
    if (!FetchProgramBytes(&source, 0, dos, sizeof dos) || LeWord(dos) != IMAGE_DOS_SIGNATURE)
        return 0;
    ULONGLONG headerAt = LeDword(dos + offsetof(IMAGE_DOS_HEADER, e_lfanew));
    if (!FetchProgramBytes(&source, headerAt, signature, sizeof signature))
        return 0;
    /* the extraction shows a 16-bit program's icons too; the loader that
     * the icon readers use takes 32- and 64-bit images only */
    if (LeWord(signature) == IMAGE_OS2_SIGNATURE)
        return icons && NeProgramFits(&source, headerAt, index);

    memset(&image, 0, sizeof image);
    image.source = &source;
    image.icons = icons;
    image.visitsLeft = PROGRAM_MOST_VISITS;
    int fits = ReadHeaders(&image, headerAt, &rva);
    /* no resources: nothing is read */
    if (fits && rva != 0)
        fits = FindTree(&image, rva) && TreeFits(&image, 0, 1, 0);
    free(image.section);
    return fits;
}

} // namespace zv
