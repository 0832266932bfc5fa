/*
 * metafile_loader.cpp - enhanced, placeable and plain Windows metafiles
 * from files or resource bytes, always returned as enhanced metafiles.
 *
 * Nothing a header claims is believed: sizes, offsets and the record
 * chain are measured against the bytes really there before the platform
 * is given any of them; a file's records are measured one by one too
 * (metarecords.h).  The program's own resources keep the first checks.
 */
#include <windows.h>

#include "filecheck.h"
#include "metarecords.h"
#include "pictures.h"

namespace zv {

enum { MF_ENHANCED, MF_PLACEABLE, MF_PLAIN };

enum { PLACEABLE_KEY = 0x9AC6CDD7, PLACEABLE_SIZE = 22 };

/* The enhanced test comes first: " EMF" at offset 40 wins over a
 * placeable key at offset 0. */
static int MetaFileKind(const BYTE *data, DWORD size)
{
    if (size >= 44 && LeDword(data + 40) == ENHMETA_SIGNATURE)
        return MF_ENHANCED;
    if (size >= 4 && LeDword(data) == PLACEABLE_KEY)
        return MF_PLACEABLE;
    return MF_PLAIN;
}

static void PictureExtent(const BYTE *data, LONG *width, LONG *height)
{
    SHORT left = (SHORT)LeWord(data + 6), top = (SHORT)LeWord(data + 8);
    SHORT right = (SHORT)LeWord(data + 10), bottom = (SHORT)LeWord(data + 12);
    int inch = LeWord(data + 14);

    /* A reversed box gives a negative extent, handed on as it is. */
    *width = MulDiv(right - left, 2540, inch);
    *height = MulDiv(bottom - top, 2540, inch);
}

/* checkRecords: the data comes from outside the program, so its records
 * are measured too. */
static HENHMETAFILE PlaceableMetaFile(const BYTE *bytes, DWORD size, int checkRecords)
{
    METAFILEPICT picture;
    HENHMETAFILE result;
    DWORD wmfBytes;
    HDC hdc;

    wmfBytes = size > PLACEABLE_SIZE ? WindowsBytes(bytes + PLACEABLE_SIZE, size - PLACEABLE_SIZE)
                                     : 0;
    if (!wmfBytes || (checkRecords && !WindowsRecordsFit(bytes + PLACEABLE_SIZE, wmfBytes))) {
        SetLastError(ERROR_INVALID_DATA);
        return NULL;
    }
    picture.mm = MM_ANISOTROPIC;
    PictureExtent(bytes, &picture.xExt, &picture.yExt);
    picture.hMF = NULL;

    hdc = GetDC(NULL);
    result = SetWinMetaFileBits(wmfBytes, bytes + PLACEABLE_SIZE, hdc, &picture);
    ReleaseDC(NULL, hdc);
    return result;
}

HENHMETAFILE LoadPlaceableMetaFile(const void *data, DWORD size)
{
    return PlaceableMetaFile((const BYTE *)data, size, 1);
}

HENHMETAFILE LoadMetaFile(const char *path)
{
    HANDLE file, mapping;
    const BYTE *bytes;
    DWORD size, count, high = 0;
    HENHMETAFILE result = NULL;

    file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_READONLY, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    mapping = CreateFileMappingA(file, NULL, PAGE_READONLY, 0, 0, NULL);
    if (!mapping) {
        CloseHandle(file);
        return NULL;
    }
    bytes = (const BYTE *)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!bytes) {
        CloseHandle(mapping);
        CloseHandle(file);
        return NULL;
    }
    size = GetFileSize(file, &high);
    if (high)
        size = 0;

    switch (MetaFileKind(bytes, size)) {
    case MF_ENHANCED:
        /* the bytes that were checked are the ones the platform keeps */
        count = EnhancedBytes(bytes, size);
        if (count && EnhancedRecordsFit(bytes, count))
            result = SetEnhMetaFileBits(count, bytes);
        else
            SetLastError(ERROR_INVALID_DATA);
        break;
    case MF_PLACEABLE:
        result = PlaceableMetaFile(bytes, size, 1);
        if (!result) {
            DWORD err = GetLastError();   /* the debugger text must not change the reason */
            OutputDebugStringA("LMF: LoadPlaceableMetaFile failed\r\n");
            SetLastError(err);
        }
        break;
    default:
        /* Sized by the file; its own word count must not claim more. */
        if (WindowsBytes(bytes, size) && WindowsRecordsFit(bytes, size))
            result = SetWinMetaFileBits(size, bytes, NULL, NULL);
        else
            SetLastError(ERROR_INVALID_DATA);
        break;
    }

    {
        DWORD err = GetLastError();
        UnmapViewOfFile(bytes);
        CloseHandle(mapping);
        CloseHandle(file);
        /* the platform refuses some data without a reason */
        SetLastError(!result && err == ERROR_SUCCESS ? ERROR_INVALID_DATA : err);
    }
    return result;
}

/* ---- how many bytes a locked resource holds ---- */

struct RESOURCESEARCH {
    const void *bytes;
    DWORD size;
    int found;
};

static BOOL CALLBACK MatchLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language,
                                   LONG_PTR param)
{
    RESOURCESEARCH *search = (RESOURCESEARCH *)param;
    HRSRC found = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;

    if (loaded && LockResource(loaded) == search->bytes) {
        search->size = SizeofResource(module, found);
        search->found = 1;
    }
    return !search->found;
}

static BOOL CALLBACK MatchName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    EnumResourceLanguagesA(module, type, name, MatchLanguage, param);
    return !((RESOURCESEARCH *)param)->found;
}

static BOOL CALLBACK MatchType(HMODULE module, LPSTR type, LONG_PTR param)
{
    EnumResourceNamesA(module, type, MatchName, param);
    return !((RESOURCESEARCH *)param)->found;
}

/* The size of the resource whose bytes these are; for bytes that belong
 * to no loaded module's resources, what stays readable from there on. */
static DWORD ResourceBytes(const void *bytes)
{
    RESOURCESEARCH search = {bytes, 0, 0};
    MEMORY_BASIC_INFORMATION memory;
    HMODULE module;

    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           (LPCSTR)bytes, &module)) {
        EnumResourceTypesA(module, MatchType, (LONG_PTR)&search);
        if (search.found)
            return search.size;
    }
    if (VirtualQuery(bytes, &memory, sizeof memory) == sizeof memory &&
        memory.State == MEM_COMMIT &&
        !(memory.Protect & (PAGE_NOACCESS | PAGE_GUARD))) {
        SIZE_T left = (const BYTE *)memory.BaseAddress + memory.RegionSize - (const BYTE *)bytes;
        return left > 0xFFFFFFFF ? 0xFFFFFFFF : (DWORD)left;
    }
    return 0;
}

HENHMETAFILE LoadMetaFileResource(HGLOBAL resource)
{
    const BYTE *bytes = (const BYTE *)LockResource(resource);
    HENHMETAFILE result = NULL;
    const char *failure = NULL;
    DWORD size, count;

    if (!bytes)
        return NULL;
    size = ResourceBytes(bytes);

    switch (MetaFileKind(bytes, size)) {
    case MF_ENHANCED:
        count = EnhancedBytes(bytes, size);
        if (count) {
            result = SetEnhMetaFileBits(count, bytes);
            failure = "LMFR: SetEnhMetaFileBits failed\r\n";
        } else {
            SetLastError(ERROR_INVALID_DATA);
            failure = "LMFR: metafile header does not fit the resource\r\n";
        }
        break;
    case MF_PLACEABLE:
        /* the program's own pictures: measured as before, records trusted */
        result = PlaceableMetaFile(bytes, size, 0);
        failure = "LMFR: LoadPlaceableMetaFile failed\r\n";
        break;
    default:
        count = WindowsBytes(bytes, size);
        if (count) {
            result = SetWinMetaFileBits(count, bytes, NULL, NULL);
            failure = "LMFR: SetWinMetaFileBits failed\r\n";
        } else {
            SetLastError(ERROR_INVALID_DATA);
            failure = "LMFR: metafile header does not fit the resource\r\n";
        }
        break;
    }
    if (!result)
        OutputDebugStringA(failure);
    return result;
}

} // namespace zv
