/*
 * splashpic.cpp - which picture the splash shows: the file that Splash
 * names, chosen by its extension, or the program's built-in picture.
 */
#include "runtime.h"
#include "asciitext.h"
#include "filecheck.h"
#include "pictures.h"
#include "splash.h"
#include "resource.h"

namespace zv {

static int IsOneOf(const char *ext, const char *const *list)
{
    for (; *list; list++)
        if (SameTextNoCase(ext, *list))
            return 1;
    return 0;
}

/* A bitmap becomes the metafile that the splash stretches. */
static HENHMETAFILE FromBitmap(HBITMAP bitmap)
{
    return bitmap ? BitmapToEnhMetaFile(bitmap) : NULL;
}

static HENHMETAFILE BuiltInPicture(HINSTANCE hInstance, AUTORUNINF *settings)
{
    HBITMAP bitmap = (HBITMAP)LoadImageA(hInstance, "SPLASHPIC", IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
    HENHMETAFILE picture = bitmap ? BitmapToEnhMetaFile(bitmap) : NULL;

    if (!picture) {
        HRSRC found = FindResourceA(hInstance, "SPLASHPIC", "METAFILE");
        HGLOBAL loaded = found ? LoadResource(hInstance, found) : NULL;
        void *bytes = loaded ? LockResource(loaded) : NULL;
        if (bytes)
            picture = LoadMetaFileResource((HGLOBAL)bytes);
    }
    if (!picture && settings->flgLogging)
        LogSysErr(settings, IDS_BITMAPERROR, NULL);
    return picture;
}

HENHMETAFILE LoadSplashPicture(HINSTANCE hInstance, AUTORUNINF *settings)
{
    static const char *const bitmaps[] = {".BMP", ".DIB", NULL};
    static const char *const jpegs[] = {".JPG", ".JPEG", NULL};
    static const char *const pngs[] = {".PNG", NULL};
    static const char *const videos[] = {".AVI", ".WMV", ".MPG", ".M2V", NULL};
    const char *splash = settings->strSplash;
    const char *ext = strrchr(splash, '.');
    HENHMETAFILE picture;

    if (!ext)
        return settings->flgHideSplash ? NULL : BuiltInPicture(hInstance, settings);

    if (IsOneOf(ext, videos))
        return HEMF_VIDEO;
    if (IsOneOf(ext, bitmaps))
        picture = FromBitmap(LoadBitmapFile(splash));
    else if (IsOneOf(ext, jpegs))
        picture = FromBitmap(LoadJPEG(splash));
    else if (IsOneOf(ext, pngs))
        picture = FromBitmap(LoadPNG(splash));
    else
        picture = LoadMetaFile(splash);

    if (!picture && settings->flgLogging)
        LogSysErr(settings, IDS_READERROR, splash);
    return picture;
}

} // namespace zv
