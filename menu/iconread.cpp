/*
 * iconread.cpp - the icon readers: every image of an .ICO file, or of the
 * n-th icon group of a program or library, copied into an icon set whose
 * images become icon handles.
 *
 * The files come from anywhere: no count, size or offset in them is
 * trusted.  An image is taken only when its header, colour table and
 * colour bits (and its mask, when it has one) lie inside its own bytes (filecheck.h, the checks
 * that also guard the menu's icon files), so no pointer of a set leaves
 * the image it belongs to.  Every failure releases what was read, the
 * copied group name and the library.
 */
#include "menu.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "filecheck.h"
#include "resource.h"
#include "safestr.h"

namespace zv {
namespace menu {

int nEnumNr;

/* The readers' error numbers and their texts in the string table. */
enum { ERR_MEMORY = 1, ERR_OPEN = 2, ERR_SEEK = 4, ERR_FORMAT = 5, ERR_PROGRAM = 6, ERR_GROUPS = 7 };

static UINT ReadErrorText(int number)
{
    switch (number) {
    case ERR_MEMORY: return IDS_ICONNOMEMORY;
    case ERR_OPEN: return IDS_ICONOPEN;
    case ERR_SEEK: return IDS_ICONSEEK;
    case ERR_FORMAT: return IDS_ICONFORMAT;
    case ERR_PROGRAM: return IDS_ICONNOTPROGRAM;
    case ERR_GROUPS: return IDS_ICONGROUPS;
    }
    return IDS_ICONREAD;
}

void ReadError(int number, const char *file)
{
    char text[256], message[256];

    if (LoadStringA(sOptions.hInstance, ReadErrorText(number), text, sizeof text) <= 0)
        strcpy_s(text, sizeof text, "Error reading file");
    snprintf(message, sizeof message, "%s: %s", text, file ? file : "");
    pfnMenuMessageBoxA(GetDesktopWindow(), message, "ZVMenu", MB_OK | MB_ICONINFORMATION);
}

/* Fills image from data (size bytes, heap, now the image's); 0 when the
 * bytes are no icon image. */
static int FillImage(ICONSETIMAGE *image, LPBYTE data, DWORD size)
{
    ICONSHAPE shape;

    image->lpBits = data;
    image->dwNumBytes = size;
    if (!IconImageShape(data, size, &shape))
        return 0;
    image->lpbi = (LPBITMAPINFO)data;
    image->Width = shape.width;
    image->Height = shape.height;
    image->Colors = shape.bits;
    image->lpXOR = data + shape.colourAt;
    image->lpAND = shape.maskBytes ? data + shape.maskAt : NULL;
    return 1;
}

static ICONSET *NewIconSet(int count)
{
    size_t images = count > 0 ? (size_t)count : 1;
    ICONSET *set = (ICONSET *)calloc(1, sizeof(ICONSET) + (images - 1) * sizeof(ICONSETIMAGE));
    if (set)
        set->nNumImages = count;
    return set;
}

void FreeIconSet(ICONSET *set)
{
    if (!set)
        return;
    for (int i = 0; i < set->nNumImages; i++)
        free(set->IconImages[i].lpBits);
    free(set);
}

/* ---- icon files ---- */

static int ReadAll(HANDLE file, void *buffer, DWORD size)
{
    DWORD got = 0;
    return ReadFile(file, buffer, size, &got, NULL) && got == size;
}

/* The set of an open icon file, or NULL with *error set. */
static ICONSET *ReadICOImages(HANDLE file, int *error)
{
    BYTE header[ICONFILE_HEADER];
    LARGE_INTEGER fileSize;
    int count = 0;

    *error = ERR_FORMAT;
    if (!GetFileSizeEx(file, &fileSize) || !ReadAll(file, header, sizeof header) ||
        IconFileType(header, &count) != ICONFILE_ICON || !IconDirectoryFits(count, (ULONGLONG)fileSize.QuadPart))
        return NULL;
    ICONSET *set = NewIconSet(count);
    BYTE *directory = (BYTE *)malloc((size_t)count * ICONFILE_ENTRY + 1);
    if (!set || !directory) {
        free(directory);
        FreeIconSet(set);
        *error = ERR_MEMORY;
        return NULL;
    }
    int ok = ReadAll(file, directory, (DWORD)count * ICONFILE_ENTRY);
    for (int i = 0; ok && i < count; i++) {
        DWORD size, offset;
        if (!IconEntryPlace(directory + i * ICONFILE_ENTRY, (ULONGLONG)fileSize.QuadPart, &offset, &size)) {
            ok = 0;
            break;
        }
        LPBYTE data = (LPBYTE)malloc(size);
        if (!data) {
            *error = ERR_MEMORY;
            ok = 0;
            break;
        }
        LARGE_INTEGER to;
        to.QuadPart = offset;
        if (!SetFilePointerEx(file, to, NULL, FILE_BEGIN)) {
            free(data);
            *error = ERR_SEEK;
            ok = 0;
            break;
        }
        /* the set owns the block from here, whatever it holds */
        set->IconImages[i].lpBits = data;
        ok = ReadAll(file, data, size) && FillImage(&set->IconImages[i], data, size);
    }
    free(directory);
    if (!ok) {
        FreeIconSet(set);
        return NULL;
    }
    return set;
}

ICONSET *ReadIconFromICOFile(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        ReadError(ERR_OPEN, path);
        return NULL;
    }
    int error = 0;
    ICONSET *set = ReadICOImages(file, &error);
    CloseHandle(file);
    if (!set)
        ReadError(error, path);
    return set;
}

/* ---- programs and libraries ---- */

/* What the enumeration picked: the name (a heap copy when it is a text). */
struct GROUPPICK {
    LPSTR name;
    int noMemory;
};

static void FreeGroupName(LPSTR name)
{
    if (!IS_INTRESOURCE(name))
        free(name);
}

BOOL CALLBACK MyEnumProcedure(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    GROUPPICK *pick = (GROUPPICK *)param;

    if (nEnumNr-- == 1) {
        if (IS_INTRESOURCE(name)) {
            pick->name = name;
        } else {
            pick->name = _strdup(name);
            pick->noMemory = pick->name == NULL;
        }
    }
    return TRUE;
}

/* A resource's bytes, or NULL; a program cut short maps fewer bytes than
 * its directory promises, so the whole range must be readable. */
static const BYTE *ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD *size)
{
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    const BYTE *bytes = loaded ? (const BYTE *)LockResource(loaded) : NULL;
    *size = found ? SizeofResource(module, found) : 0;
    if (!bytes)
        return NULL;
    for (const BYTE *p = bytes; p < bytes + *size;) {
        MEMORY_BASIC_INFORMATION mbi;
        if (!VirtualQuery(p, &mbi, sizeof mbi) || mbi.State != MEM_COMMIT ||
            (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD)) || (const BYTE *)mbi.BaseAddress + mbi.RegionSize <= p)
            return NULL;
        p = (const BYTE *)mbi.BaseAddress + mbi.RegionSize;
    }
    return bytes;
}

/* The set of a loaded library's group name, or NULL: *error is 0 for an
 * image that is not there (no box), else the box's number. */
static ICONSET *ReadGroupImages(HMODULE module, LPCSTR name, int *error)
{
    DWORD size;
    const BYTE *group = ResourceBytes(module, name, RT_GROUP_ICON, &size);

    *error = 0;
    if (!group)
        return NULL;
    *error = ERR_FORMAT;
    if (!IconGroupFits(group, size))
        return NULL;
    int count = LeWord(group + 4);
    ICONSET *set = NewIconSet(count);
    if (!set) {
        *error = ERR_MEMORY;
        return NULL;
    }
    for (int i = 0; i < count; i++) {
        WORD id = LeWord(group + ICONGROUP_HEADER + i * ICONGROUP_ENTRY + ICONGROUP_IMAGE_ID);
        DWORD imageSize;
        const BYTE *image = ResourceBytes(module, MAKEINTRESOURCEA(id), RT_ICON, &imageSize);
        if (!image) {
            *error = 0;
            FreeIconSet(set);
            return NULL;
        }
        LPBYTE data = (LPBYTE)malloc(imageSize ? imageSize : 1);
        if (!data) {
            *error = ERR_MEMORY;
            FreeIconSet(set);
            return NULL;
        }
        memcpy(data, image, imageSize);
        if (!FillImage(&set->IconImages[i], data, imageSize)) {
            FreeIconSet(set);
            return NULL;
        }
    }
    *error = 0;
    return set;
}

ICONSET *ReadIconFromEXEFile(const char *path, int n)
{
    /* the loader walks the resource tree unchecked: a damaged one is no
     * program it can load */
    HMODULE module = ProgramResourcesLoadable(path) ? LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE) : NULL;
    if (!module) {
        ReadError(ERR_PROGRAM, path);
        return NULL;
    }
    GROUPPICK pick = {NULL, 0};
    int error = 0;
    ICONSET *set = NULL;

    nEnumNr = n;
    /* a library without any icon has no n-th group either */
    if (!EnumResourceNamesA(module, RT_GROUP_ICON, MyEnumProcedure, (LONG_PTR)&pick) &&
        GetLastError() != ERROR_RESOURCE_TYPE_NOT_FOUND)
        error = ERR_GROUPS;
    else if (pick.noMemory)
        error = ERR_MEMORY;
    else if (pick.name)
        set = ReadGroupImages(module, pick.name, &error);
    FreeGroupName(pick.name);
    FreeLibrary(module);
    if (error)
        ReadError(error, path);
    return set;
}

HICON MakeIconFromResource(const ICONSETIMAGE *image)
{
    if (!image || !image->lpBits)
        return NULL;
    HICON icon = CreateIconFromResourceEx(image->lpBits, image->dwNumBytes, TRUE, 0x30000, (int)image->Width,
                                          (int)image->Height, LR_DEFAULTCOLOR);
    /* the older call knows no 16-bit images either */
    if (!icon && image->Colors != 16)
        icon = CreateIconFromResource(image->lpBits, image->dwNumBytes, TRUE, 0x30000);
    return icon;
}

} // namespace menu
} // namespace zv
