/*
 * testprograms.cpp - programs with icons written byte by byte (PE, packed
 * and 16-bit), and damaged copies of them and of the build's own
 * executables.
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

/* The icon group of one picture, whose image has the id. */
static std::string GroupBytes(const std::string &picture, unsigned id)
{
    unsigned width, bits;
    PictureShape(picture, &width, &bits);
    std::string group(6 + 14, '\0');
    SetU16(group, 2, 1);
    SetU16(group, 4, 1);
    group[6] = group[7] = (char)(width & 0xFF);
    SetU16(group, 6 + 4, 1);
    SetU16(group, 6 + 6, bits);
    SetU32(group, 6 + 8, (unsigned)picture.size());
    SetU16(group, 6 + 12, id);
    return group;
}

PROGRAMFILE ProgramBytes(const std::vector<std::string> &pictures, bool pe32plus, int layout)
{
    enum { RT_ICON_ID = 3, RT_DIALOG_ID = 5, RT_GROUP_ICON_ID = 14, RT_VERSION_ID = 16 };
    enum { DIR = 16, ENTRY = 8, DATA = 16, HIGH = 0x80000000u };
    const bool packed = layout == PROGRAM_PACKED;
    const unsigned extra = layout == PROGRAM_SECTIONS ? 100 : packed;
    const unsigned rawAt = (unsigned)Align(0x40 + 4 + 20 + 240 + 40 * (extra + 1), 0x200);
    const unsigned rva = (unsigned)Align(rawAt, 0x1000);
    const size_t n = pictures.size();
    PROGRAMFILE f = {};

    /* the resources by type and id; a packed program's are in a section
     * that has no bytes in the file */
    struct RESOURCE {
        unsigned type, id;
        std::string bytes;
        bool unpacked;
    };
    std::vector<RESOURCE> r;
    for (size_t k = 0; k < n; k++)
        r.push_back({RT_ICON_ID, (unsigned)(k + 1), pictures[k], false});
    if (packed)
        r.push_back({RT_DIALOG_ID, 1, std::string(64, '\1'), true});
    for (size_t k = 0; k < n; k++)
        r.push_back({RT_GROUP_ICON_ID, (unsigned)(k + 1), GroupBytes(pictures[k], (unsigned)(k + 1)), false});
    if (packed) {
        r.push_back({RT_GROUP_ICON_ID, (unsigned)(n + 1), GroupBytes(pictures[0], 1), true});
        r.push_back({RT_VERSION_ID, 1, std::string(92, '\2'), true});
    }

    /* the tree: root, a name directory a type, a language directory and
     * a data entry a resource, then the data */
    size_t types = 1;
    for (size_t j = 1; j < r.size(); j++)
        types += r[j].type != r[j - 1].type;
    size_t languages = DIR + types * (ENTRY + DIR) + r.size() * ENTRY;
    size_t entries = languages + r.size() * (DIR + ENTRY), data = entries + r.size() * DATA;
    std::string t(data, '\0');
    SetU16(t, 14, (unsigned)types);
    std::vector<size_t> unpacked;
    for (size_t j = 0, ti = 0, first = 0; j < r.size(); j++) {
        if (j > 0 && r[j].type != r[j - 1].type)
            ti++, first = j;
        size_t names = DIR + types * ENTRY + ti * DIR + first * ENTRY, language = languages + j * (DIR + ENTRY);
        SetU32(t, DIR + ti * ENTRY, r[j].type);
        SetU32(t, DIR + ti * ENTRY + 4, HIGH | (unsigned)names);
        SetU16(t, names + 14, (unsigned)(j - first + 1));
        SetU32(t, names + DIR + (j - first) * ENTRY, r[j].id);
        SetU32(t, names + DIR + (j - first) * ENTRY + 4, HIGH | (unsigned)language);
        SetU16(t, language + 14, 1);
        SetU32(t, language + DIR, 0x409);
        SetU32(t, language + DIR + 4, (unsigned)(entries + j * DATA));
        SetU32(t, entries + j * DATA + 4, (unsigned)r[j].bytes.size());
        if (r[j].type == RT_GROUP_ICON_ID && j == first) {
            f.groupTypeAt = rawAt + DIR + ti * ENTRY;
            f.groupNamesAt = rawAt + names;
        }
        if (r[j].unpacked) {
            unpacked.push_back(entries + j * DATA);
            continue;
        }
        size_t place = Align(t.size(), 8);
        t.resize(place, '\0');
        t += r[j].bytes;
        SetU32(t, entries + j * DATA, rva + (unsigned)place);
        if (j == 0)
            f.imageAt = rawAt + place;
        if (r[j].type == RT_GROUP_ICON_ID && j == first)
            f.groupAt = rawAt + place;
    }
    f.rootAt = rawAt;
    f.iconEntryAt = rawAt + entries;

    /* the headers; the further sections come first in the table, at
     * higher addresses, without bytes in the file: a packed program's
     * holds the addresses of what it unpacks */
    size_t optionalBytes = pe32plus ? 240 : 224, optionalAt = 0x40 + 4 + 20;
    std::string &s = f.bytes;
    s.assign(rawAt, '\0');
    s[0] = 'M';
    s[1] = 'Z';
    SetU32(s, 0x3C, 0x40);
    s.replace(0x40, 4, std::string("PE\0\0", 4));
    f.fileHeaderAt = 0x44;
    SetU16(s, 0x44, pe32plus ? 0x8664 : 0x14C);
    SetU16(s, 0x44 + 2, extra + 1);
    SetU16(s, 0x44 + 16, (unsigned)optionalBytes);
    SetU16(s, 0x44 + 18, pe32plus ? 0x22 : 0x102);
    unsigned raw = (unsigned)Align(t.size(), 0x200), virtualBytes = raw + 0x1000;
    unsigned packedRva = rva + (unsigned)Align(virtualBytes, 0x1000), packedBytes = 0x10000;
    for (size_t k = 0; k < unpacked.size(); k++)
        SetU32(t, unpacked[k], packedRva + 0x100 * (unsigned)k);
    SetU16(s, optionalAt, pe32plus ? 0x20B : 0x10B);
    SetU32(s, optionalAt + (pe32plus ? 24 : 28), 0x400000);
    SetU32(s, optionalAt + 32, 0x1000);
    SetU32(s, optionalAt + 36, 0x200);
    SetU16(s, optionalAt + 40, 4);
    SetU16(s, optionalAt + 48, 4);
    SetU32(s, optionalAt + 56, packedRva + extra * packedBytes);
    SetU32(s, optionalAt + 60, rawAt);
    SetU16(s, optionalAt + 68, 2);
    size_t directories = optionalAt + (pe32plus ? 112 : 96);
    SetU32(s, directories - 4, 16);
    SetU32(s, directories + 2 * 8, rva);
    SetU32(s, directories + 2 * 8 + 4, (unsigned)t.size());
    size_t table = optionalAt + optionalBytes;
    for (unsigned k = 0; k < extra; k++, table += 40) {
        s.replace(table, 8, std::string(".packed\0", 8));
        SetU32(s, table + 8, packedBytes);
        SetU32(s, table + 12, packedRva + packedBytes * k);
        SetU32(s, table + 36, 0xE0000080);   /* uninitialised, all access */
    }
    f.sectionAt = table;
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

PROGRAMFILE NeProgramBytes(const std::string &picture)
{
    enum { NE_AT = 0x40, SHIFT = 4, UNIT = 1 << SHIFT };
    PROGRAMFILE f = {};
    std::string &s = f.bytes;

    s.assign(NE_AT + 0x40, '\0');
    s.replace(0, 2, "MZ");
    SetU32(s, 0x3C, NE_AT);
    s.replace(NE_AT, 2, "NE");
    f.fileHeaderAt = NE_AT;
    /* the data in units of the shift, then the resource table */
    std::string group = GroupBytes(picture, 1);
    f.imageAt = s.size();
    s += picture;
    s.resize(Align(s.size(), UNIT), '\0');
    f.groupAt = s.size();
    s += group;
    s.resize(Align(s.size(), UNIT), '\0');
    f.rootAt = s.size();
    PutU16(s, SHIFT);
    const struct {
        unsigned type;
        size_t at, bytes;
    } resources[] = {{0x8003, f.imageAt, picture.size()}, {0x800E, f.groupAt, group.size()}};
    for (const auto &k : resources) {
        PutU16(s, k.type);
        PutU16(s, 1);
        /* a loader's address, which the extraction never reads; taken
         * for an icon group by a negative index, it lies past the file */
        PutU32(s, 0xFFFFFFFFu);
        if (k.type == 0x8003)
            f.iconEntryAt = s.size();
        PutU16(s, (unsigned)(k.at / UNIT));
        PutU16(s, (unsigned)(Align(k.bytes, UNIT) / UNIT));
        PutU16(s, 0x1030);   /* movable, discardable */
        PutU16(s, 0x8001);   /* numbered 1 */
        PutU32(s, 0);
    }
    f.tableEndAt = s.size();
    PutU16(s, 0);
    SetU16(s, NE_AT + 0x24, (unsigned)(f.rootAt - NE_AT));
    SetU16(s, NE_AT + 0x26, (unsigned)(s.size() - NE_AT));
    s += '\0';   /* no resident names */
    return f;
}

std::vector<DAMAGEDFILE> DamagedPrograms()
{
    PROGRAMFILE p = ProgramBytes({IconImageBytes(32, 4), PngBytes(32, 32, 0x3366CC)}, false);
    const std::string &b = p.bytes, many = WithU16(b, p.groupAt + 4, 0xFFFF);
    PROGRAMFILE ne = NeProgramBytes(IconImageBytes(32, 4));
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
        {"a 16-bit program whose resource table lies in its PE headers",
         WithU16(b.substr(0, 0x40) + "NE" + b.substr(0x42), 0x40 + 0x24, 0x34)},
        {"a group of 65535 images typed with the string bit", WithU32(many, p.groupTypeAt, 0x8000000Eu)},
        {"a group of 65535 images typed with a high word", WithU32(many, p.groupTypeAt, 0x0001000Eu)},
        {"a 16-bit program's resource table past the end", WithU16(ne.bytes, ne.fileHeaderAt + 0x24, 0xFFF0)},
        {"a 16-bit program's shift of 16", WithU16(ne.bytes, ne.rootAt, 16)},
        {"a 16-bit program's icon past the end", WithU16(ne.bytes, ne.iconEntryAt, 0xFFFF)},
        {"a 16-bit program without its table's end", ne.bytes.substr(0, ne.tableEndAt + 1)},
        {"a 16-bit program's group of 65535 images", WithU16(ne.bytes, ne.groupAt + 4, 0xFFFF)},
        {"MZ and nothing else", "MZ" + std::string(200, '\0')},
    };
    for (const DAMAGEDFILE &png : WrappingPngs())
        d.push_back({png.what, ProgramBytes({png.bytes}, false).bytes});
    std::string chain;
    if (ReadFileBytes(BinPath("ZVChain.exe"), &chain)) {
        d.push_back({"ZVChain.exe cut to 6860 bytes", chain.substr(0, 6860)});
        for (int tenth : {1, 5, 9})
            d.push_back({"ZVChain.exe cut short", chain.substr(0, chain.size() * tenth / 10)});
    }
    return d;
}

} // namespace zvtest
