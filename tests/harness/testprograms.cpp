/*
 * testprograms.cpp - programs with icons written byte by byte, and
 * damaged copies of them and of the build's own executables.
 */
#include "testprograms.h"

#include "zvtest.h"

namespace zvtest {

static size_t Align(size_t n, size_t to)
{
    return (n + to - 1) / to * to;
}

static bool IsPng(const std::string &picture)
{
    return picture.compare(0, 4, "\x89PNG") == 0;
}

/* Width and bits of a picture as its group names them. */
static void PictureShape(const std::string &picture, unsigned *width, unsigned *bits)
{
    const unsigned char *p = (const unsigned char *)picture.data();
    if (IsPng(picture)) {
        *width = (unsigned)p[16] << 24 | (unsigned)p[17] << 16 | (unsigned)p[18] << 8 | p[19];
        *bits = 32;
    } else {
        *width = p[4] | (unsigned)p[5] << 8;
        *bits = p[14];
    }
}

PROGRAMFILE ProgramBytes(const std::vector<std::string> &pictures, bool pe32plus)
{
    enum { RT_ICON_ID = 3, RT_GROUP_ICON_ID = 14, DIR = 16, ENTRY = 8, DATA = 16, HIGH = 0x80000000u };
    const unsigned rva = 0x1000, rawAt = 0x200;
    const size_t n = pictures.size();
    PROGRAMFILE f = {};

    /* the tree: root, two name directories, a language directory and a
     * data entry for each image and each group, then the data */
    std::string t;
    auto directory = [&](size_t at, size_t entries) {
        if (t.size() < at + DIR + entries * ENTRY)
            t.resize(at + DIR + entries * ENTRY, '\0');
        SetU16(t, at + 14, (unsigned)entries);
    };
    size_t root = 0, icons = DIR + 2 * ENTRY, groups = icons + DIR + n * ENTRY, languages = groups + DIR + n * ENTRY;
    size_t entries = languages + 2 * n * (DIR + ENTRY), data = entries + 2 * n * DATA;
    directory(root, 2);
    SetU32(t, root + DIR, RT_ICON_ID);
    SetU32(t, root + DIR + 4, HIGH | (unsigned)icons);
    SetU32(t, root + DIR + ENTRY, RT_GROUP_ICON_ID);
    SetU32(t, root + DIR + ENTRY + 4, HIGH | (unsigned)groups);
    directory(icons, n);
    directory(groups, n);
    t.resize(data, '\0');
    std::vector<size_t> imageAt(n);
    for (size_t i = 0; i < 2 * n; i++) {
        size_t names = i < n ? icons : groups, k = i % n, language = languages + i * (DIR + ENTRY);
        SetU32(t, names + DIR + k * ENTRY, (unsigned)(k + 1));
        SetU32(t, names + DIR + k * ENTRY + 4, HIGH | (unsigned)language);
        directory(language, 1);
        SetU32(t, language + DIR, 0x409);
        SetU32(t, language + DIR + 4, (unsigned)(entries + i * DATA));
        std::string bytes;
        if (i < n) {
            bytes = pictures[k];
        } else {
            unsigned width, bits;
            PictureShape(pictures[k], &width, &bits);
            bytes.assign(6 + 14, '\0');
            SetU16(bytes, 2, 1);
            SetU16(bytes, 4, 1);
            bytes[6] = bytes[7] = (char)(width & 0xFF);
            SetU16(bytes, 6 + 4, 1);
            SetU16(bytes, 6 + 6, bits);
            SetU32(bytes, 6 + 8, (unsigned)pictures[k].size());
            SetU16(bytes, 6 + 12, (unsigned)(k + 1));
        }
        size_t at = Align(t.size(), 8);
        t.resize(at, '\0');
        t += bytes;
        SetU32(t, entries + i * DATA, rva + (unsigned)at);
        SetU32(t, entries + i * DATA + 4, (unsigned)bytes.size());
        if (i == 0)
            f.imageAt = rawAt + at;
        if (i == n)
            f.groupAt = rawAt + at;
    }
    f.rootAt = rawAt + root;
    f.groupNamesAt = rawAt + groups;
    f.iconEntryAt = rawAt + entries;

    /* the headers */
    size_t optionalBytes = pe32plus ? 240 : 224, optionalAt = 0x40 + 4 + 20;
    std::string &s = f.bytes;
    s.assign(rawAt, '\0');
    s[0] = 'M';
    s[1] = 'Z';
    SetU32(s, 0x3C, 0x40);
    s.replace(0x40, 4, std::string("PE\0\0", 4));
    f.fileHeaderAt = 0x44;
    SetU16(s, 0x44, pe32plus ? 0x8664 : 0x14C);
    SetU16(s, 0x44 + 2, 1);
    SetU16(s, 0x44 + 16, (unsigned)optionalBytes);
    SetU16(s, 0x44 + 18, pe32plus ? 0x22 : 0x102);
    unsigned raw = (unsigned)Align(t.size(), 0x200), virtualBytes = raw + 0x1000;
    SetU16(s, optionalAt, pe32plus ? 0x20B : 0x10B);
    SetU32(s, optionalAt + (pe32plus ? 24 : 28), 0x400000);
    SetU32(s, optionalAt + 32, 0x1000);
    SetU32(s, optionalAt + 36, 0x200);
    SetU16(s, optionalAt + 40, 4);
    SetU16(s, optionalAt + 48, 4);
    SetU32(s, optionalAt + 56, rva + (unsigned)Align(virtualBytes, 0x1000));
    SetU32(s, optionalAt + 60, rawAt);
    SetU16(s, optionalAt + 68, 2);
    size_t directories = optionalAt + (pe32plus ? 112 : 96);
    SetU32(s, directories - 4, 16);
    SetU32(s, directories + 2 * 8, rva);
    SetU32(s, directories + 2 * 8 + 4, (unsigned)t.size());
    f.sectionAt = optionalAt + optionalBytes;
    s.replace(f.sectionAt, 8, std::string(".rsrc\0\0\0", 8));
    SetU32(s, f.sectionAt + 8, virtualBytes);
    SetU32(s, f.sectionAt + 12, rva);
    SetU32(s, f.sectionAt + 16, raw);
    SetU32(s, f.sectionAt + 20, rawAt);
    SetU32(s, f.sectionAt + 36, 0x40000040);
    f.sectionRva = rva;
    f.sectionBytes = raw;
    t.resize(raw, '\0');
    s += t;
    s.append(0x300, '\0');   /* what follows the last section */
    return f;
}

std::vector<DAMAGEDFILE> DamagedPrograms()
{
    PROGRAMFILE p = ProgramBytes({IconImageBytes(32, 4), PngBytes(32, 32, 0x3366CC)}, false);
    const std::string &b = p.bytes;
    std::vector<DAMAGEDFILE> d = {
        {"the PE header past the end", WithU32(b, 0x3C, 0xFFFFFF00u)},
        {"an optional header of 65535 bytes", WithU16(b, p.fileHeaderAt + 16, 0xFFFF)},
        {"a section table of 65535 sections", WithU16(b, p.fileHeaderAt + 2, 0xFFFF)},
        {"the section's raw data past the end", WithU32(b, p.sectionAt + 16, 0x100000)},
        {"the section's raw data at 0xFFFFFE00", WithU32(b, p.sectionAt + 20, 0xFFFFFE00u)},
        {"a resource root of 65535 entries", WithU16(b, p.rootAt + 14, 0xFFFF)},
        {"a root that points back at itself", WithU32(b, p.rootAt + 16 + 4, 0x80000000u)},
        {"a name directory past the section", WithU32(b, p.rootAt + 16 + 8 + 4, 0x80000000u | 0x7FFFFFF0u)},
        {"a name string past the section", WithU32(b, p.groupNamesAt + 16, 0x80000000u | 0x7FFFFF00u)},
        {"an icon's data entry past the section",
         WithU32(b, p.iconEntryAt, p.sectionRva + p.sectionBytes - 16)},
        {"an icon image cut short", WithU32(b, p.iconEntryAt + 4, 100)},
        {"an icon image whose header is bigger than it", WithU32(b, p.imageAt, 4000)},
        {"a group of 65535 images", WithU16(b, p.groupAt + 4, 0xFFFF)},
        {"cut inside the resource tree", b.substr(0, p.rootAt + 40)},
        {"cut inside the first icon image", b.substr(0, p.imageAt + 100)},
        {"a 16-bit program", b.substr(0, 0x40) + "NE" + b.substr(0x42)},
        {"MZ and nothing else", "MZ" + std::string(200, '\0')},
    };
    std::string chain;
    if (ReadFileBytes(BinPath("ZVChain.exe"), &chain)) {
        d.push_back({"ZVChain.exe cut to 6860 bytes", chain.substr(0, 6860)});
        for (int tenth : {1, 5, 9})
            d.push_back({"ZVChain.exe cut short", chain.substr(0, chain.size() * tenth / 10)});
    }
    return d;
}

} // namespace zvtest
