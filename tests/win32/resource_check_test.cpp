// resource_check_test.cpp -- opens the built game exe as a data file and checks every resource it carries byte by byte
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cctype>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr WORD EnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The RT_ type ids as plain numbers, the same whether or not UNICODE is set.
constexpr long IconType = 3;
constexpr long DialogType = 5;
constexpr long StringType = 6;
constexpr long AcceleratorType = 9;
constexpr long GroupIconType = 14;
constexpr long ManifestType = 24;

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
};

struct IconEntry {
    int size;
    int bitsPerPixel;
};

const IconEntry ExpectedIcons[] = {
    {256, 8}, {48, 8}, {32, 8}, {16, 8}, {256, 32}, {64, 32}, {48, 32}, {32, 32}, {16, 32},
};

struct ControlEntry {
    DWORD id;
    WORD classAtom;
    const wchar_t* text;
    DWORD style;
    short x;
    short y;
    short cx;
    short cy;
};

// Button and Static, as the predefined class atoms rc compilers emit.
const ControlEntry ExpectedControls[] = {
    {IDOK, 0x0080, L"OK", 0x50010001, 185, 241, 50, 14},
    {1001, 0x0082, L"1", 0x50020000, 15, 15, 388, 73},
    {1000, 0x0082, L"2", 0x50020000, 19, 121, 382, 111},
};

HMODULE GameModule()
{
    static const HMODULE module = [] {
        const wchar_t* path = _wgetenv(L"KESTREL_EXE");
        if (path == nullptr) {
            return HMODULE{};
        }
        return LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }();
    return module;
}

Bytes FindBytes(long type, WORD id)
{
    HRSRC info = FindResourceExW(GameModule(), MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), EnglishUs);
    if (info == nullptr) {
        return Bytes{nullptr, 0};
    }
    HGLOBAL handle = LoadResource(GameModule(), info);
    return Bytes{static_cast<const std::uint8_t*>(LockResource(handle)), SizeofResource(GameModule(), info)};
}

unsigned ReadU8(const Bytes& bytes, std::size_t offset)
{
    return offset < bytes.size ? bytes.data[offset] : 0xFFFFFFFFu;
}

unsigned ReadU16(const Bytes& bytes, std::size_t offset)
{
    if (offset + 2 > bytes.size) {
        return 0xFFFFFFFFu;
    }
    std::uint16_t v;
    std::memcpy(&v, bytes.data + offset, sizeof v);
    return v;
}

std::uint32_t ReadU32(const Bytes& bytes, std::size_t offset)
{
    if (offset + 4 > bytes.size) {
        return 0xFFFFFFFFu;
    }
    std::uint32_t v;
    std::memcpy(&v, bytes.data + offset, sizeof v);
    return v;
}

int ReadS16(const Bytes& bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(ReadU16(bytes, offset)));
}

// Reads a NUL-terminated UTF-16 string and moves offset past it.
std::wstring ReadString(const Bytes& bytes, std::size_t& offset)
{
    std::wstring text;
    for (unsigned c = ReadU16(bytes, offset); c != 0 && c != 0xFFFFFFFFu; c = ReadU16(bytes, offset)) {
        text.push_back(static_cast<wchar_t>(c));
        offset += 2;
    }
    offset += 2;
    return text;
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

// Resource types and names are ids in this exe; a string name is recorded as
// -1 so it can never match an expected id.
long IdOf(LPCWSTR typeOrName)
{
    return IS_INTRESOURCE(typeOrName) ? static_cast<long>(reinterpret_cast<ULONG_PTR>(typeOrName)) : -1L;
}

BOOL CALLBACK CollectType(HMODULE, LPWSTR type, LONG_PTR out)
{
    reinterpret_cast<std::vector<long>*>(out)->push_back(IdOf(type));
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out)
{
    reinterpret_cast<std::vector<long>*>(out)->push_back(IdOf(name));
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR out)
{
    reinterpret_cast<std::vector<long>*>(out)->push_back(language);
    return TRUE;
}

std::vector<long> TypeIds()
{
    std::vector<long> ids;
    EnumResourceTypesW(GameModule(), CollectType, reinterpret_cast<LONG_PTR>(&ids));
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<long> NameIds(long type)
{
    std::vector<long> ids;
    EnumResourceNamesW(GameModule(), MAKEINTRESOURCEW(type), CollectName, reinterpret_cast<LONG_PTR>(&ids));
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<long> Languages(long type, long name)
{
    std::vector<long> languages;
    EnumResourceLanguagesW(GameModule(), MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(name), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The RT_ICON ids one icon group points at, in group order.
std::vector<long> GroupMembers(WORD group)
{
    const Bytes bytes = FindBytes(GroupIconType, group);
    std::vector<long> ids;
    const unsigned count = ReadU16(bytes, 4);
    for (unsigned i = 0; i < count && i < 64; ++i) {
        ids.push_back(static_cast<long>(ReadU16(bytes, 6 + 14 * i + 12)));
    }
    return ids;
}

std::size_t RowBytes(int width, int bitsPerPixel)
{
    return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

TEST(ResourceCatalogue, ExeLoadsAsResourceFile)
{
    ASSERT_NE(_wgetenv(L"KESTREL_EXE"), nullptr) << "set KESTREL_EXE to the game executable";
    ASSERT_NE(GameModule(), nullptr) << "LoadLibraryExW failed, error " << GetLastError();
}

TEST(ResourceCatalogue, OnlyTheGamesResourceTypesAndNames)
{
    ASSERT_NE(GameModule(), nullptr);
    const std::vector<long> expectedTypes = {IconType,        DialogType,    StringType,
                                             AcceleratorType, GroupIconType, ManifestType};
    EXPECT_EQ(TypeIds(), expectedTypes);

    EXPECT_EQ(NameIds(GroupIconType), (std::vector<long>{107, 108}));
    EXPECT_EQ(NameIds(StringType), (std::vector<long>{103 / 16 + 1}));
    EXPECT_EQ(NameIds(AcceleratorType), (std::vector<long>{109}));
    EXPECT_EQ(NameIds(DialogType), (std::vector<long>{129}));
    EXPECT_EQ(NameIds(ManifestType), (std::vector<long>{1}));

    std::vector<long> members = GroupMembers(107);
    const std::vector<long> small = GroupMembers(108);
    members.insert(members.end(), small.begin(), small.end());
    std::sort(members.begin(), members.end());
    EXPECT_EQ(NameIds(IconType), members) << "every RT_ICON belongs to exactly one icon group";
}

TEST(ResourceCatalogue, EveryResourceIsUsEnglish)
{
    ASSERT_NE(GameModule(), nullptr);
    for (long type : TypeIds()) {
        for (long name : NameIds(type)) {
            EXPECT_EQ(Languages(type, name), std::vector<long>{EnglishUs}) << "type " << type << " name " << name;
        }
    }
}

TEST(Icons, BothGroupsListNineImagesInOrder)
{
    ASSERT_NE(GameModule(), nullptr);
    for (WORD group : {107, 108}) {
        SCOPED_TRACE(group);
        const Bytes dir = FindBytes(GroupIconType, group);
        ASSERT_NE(dir.data, nullptr);
        ASSERT_EQ(dir.size, 6u + 14u * 9u);
        EXPECT_EQ(ReadU16(dir, 0), 0u);
        EXPECT_EQ(ReadU16(dir, 2), 1u);
        ASSERT_EQ(ReadU16(dir, 4), 9u);
        for (std::size_t i = 0; i < 9; ++i) {
            SCOPED_TRACE(i);
            const std::size_t entry = 6 + 14 * i;
            const IconEntry& want = ExpectedIcons[i];
            const unsigned sizeByte = want.size == 256 ? 0u : static_cast<unsigned>(want.size);
            EXPECT_EQ(ReadU8(dir, entry + 0), sizeByte);
            EXPECT_EQ(ReadU8(dir, entry + 1), sizeByte);
            EXPECT_EQ(ReadU8(dir, entry + 2), 0u);
            EXPECT_EQ(ReadU16(dir, entry + 4), 1u);
            EXPECT_EQ(ReadU16(dir, entry + 6), static_cast<unsigned>(want.bitsPerPixel));

            const Bytes image = FindBytes(IconType, static_cast<WORD>(ReadU16(dir, entry + 12)));
            ASSERT_NE(image.data, nullptr);
            EXPECT_EQ(ReadU32(dir, entry + 8), image.size);
        }
    }
}

std::uint32_t ReadU32BigEndian(const Bytes& bytes, std::size_t offset)
{
    if (offset + 4 > bytes.size) {
        return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(bytes.data[offset]) << 24 | static_cast<std::uint32_t>(bytes.data[offset + 1]) << 16 |
           static_cast<std::uint32_t>(bytes.data[offset + 2]) << 8 | bytes.data[offset + 3];
}

// The chunk types of a PNG in order, checking each length stays inside it.
std::string PngChunkTypes(const Bytes& png)
{
    std::string types;
    std::size_t offset = 8;
    while (offset + 12 <= png.size) {
        types += std::string(reinterpret_cast<const char*>(png.data + offset + 4), 4) + " ";
        offset += 12 + ReadU32BigEndian(png, offset);
    }
    return offset == png.size ? types : types + "(overrun)";
}

// The 256x256 images are PNG, the smaller ones classic DIBs whose header,
// palette and masks add up to exactly the stored size; the system turns each
// into an icon of its size.
TEST(Icons, LargeImagesArePngSmallOnesClassicDibs)
{
    ASSERT_NE(GameModule(), nullptr);
    const std::uint8_t pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (WORD group : {107, 108}) {
        const std::vector<long> members = GroupMembers(group);
        ASSERT_EQ(members.size(), 9u);
        for (std::size_t i = 0; i < 9; ++i) {
            SCOPED_TRACE(testing::Message() << "group " << group << " image " << i);
            const IconEntry& want = ExpectedIcons[i];
            const Bytes image = FindBytes(IconType, static_cast<WORD>(members[i]));
            ASSERT_NE(image.data, nullptr);
            if (want.size == 256) {
                ASSERT_GT(image.size, sizeof pngSignature);
                EXPECT_EQ(std::memcmp(image.data, pngSignature, sizeof pngSignature), 0);
                EXPECT_EQ(ReadU32BigEndian(image, 8), 13u) << "IHDR length";
                EXPECT_EQ(ReadU32BigEndian(image, 16), 256u) << "width";
                EXPECT_EQ(ReadU32BigEndian(image, 20), 256u) << "height";
                EXPECT_EQ(ReadU8(image, 24), 8u) << "bits per sample";
                EXPECT_EQ(ReadU8(image, 25), want.bitsPerPixel == 8 ? 3u : 6u) << "palette or RGBA";
                EXPECT_EQ(PngChunkTypes(image), want.bitsPerPixel == 8 ? "IHDR PLTE tRNS IDAT IEND " : "IHDR IDAT IEND ");
                EXPECT_LT(image.size, 16u * 1024u) << "the large picture is mostly flat colour";
            } else {
                EXPECT_EQ(ReadU32(image, 0), 40u);
                EXPECT_EQ(ReadU32(image, 4), static_cast<std::uint32_t>(want.size));
                EXPECT_EQ(ReadU32(image, 8), static_cast<std::uint32_t>(2 * want.size));
                EXPECT_EQ(ReadU16(image, 12), 1u);
                EXPECT_EQ(ReadU16(image, 14), static_cast<unsigned>(want.bitsPerPixel));
                EXPECT_EQ(ReadU32(image, 16), static_cast<std::uint32_t>(BI_RGB));
                const std::size_t palette = want.bitsPerPixel == 8 ? 256 * 4 : 0;
                const std::size_t pixels =
                    (RowBytes(want.size, want.bitsPerPixel) + RowBytes(want.size, 1)) * want.size;
                EXPECT_EQ(image.size, 40 + palette + pixels);
            }

            HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(image.data), static_cast<DWORD>(image.size), TRUE,
                                                  0x00030000, want.size, want.size, LR_DEFAULTCOLOR);
            ASSERT_NE(icon, nullptr) << "the system accepts the image";
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bitmap = {};
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, want.size);
            EXPECT_EQ(bitmap.bmHeight, want.size);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

// Pixel checks against the picture itself: the top edge is sky, the rounded
// corners are cut out, and the AND mask agrees with the alpha channel. The
// PNG images are only compared between the groups here; the start-up test
// decodes the large one.
TEST(Icons, PixelsShowSkyAboveAndMaskMatchesAlpha)
{
    ASSERT_NE(GameModule(), nullptr);
    const std::vector<long> large = GroupMembers(107);
    const std::vector<long> small = GroupMembers(108);
    ASSERT_EQ(large.size(), 9u);
    ASSERT_EQ(small.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        const IconEntry& want = ExpectedIcons[i];
        const Bytes image = FindBytes(IconType, static_cast<WORD>(large[i]));
        const Bytes twin = FindBytes(IconType, static_cast<WORD>(small[i]));
        ASSERT_EQ(image.size, twin.size);
        EXPECT_EQ(std::memcmp(image.data, twin.data, image.size), 0) << "both groups carry the same pictures";
        if (want.size == 256) {
            continue;
        }
        ASSERT_EQ(image.size, 40 + (want.bitsPerPixel == 8 ? 1024u : 0u) +
                                  (RowBytes(want.size, want.bitsPerPixel) + RowBytes(want.size, 1)) * want.size);

        const std::size_t pixelStart = 40 + (want.bitsPerPixel == 8 ? 1024u : 0u);
        const std::size_t colourRow = RowBytes(want.size, want.bitsPerPixel);
        const std::size_t maskStart = pixelStart + colourRow * want.size;
        const std::size_t maskRow = RowBytes(want.size, 1);
        auto masked = [&](int x, int yFromTop) {
            const std::size_t row = static_cast<std::size_t>(want.size - 1 - yFromTop);
            return (ReadU8(image, maskStart + row * maskRow + x / 8) & (0x80u >> (x % 8))) != 0;
        };
        auto colourAt = [&](int x, int yFromTop) {
            const std::size_t row = static_cast<std::size_t>(want.size - 1 - yFromTop);
            std::size_t at = pixelStart + row * colourRow;
            if (want.bitsPerPixel == 8) {
                at = 40 + 4 * ReadU8(image, at + static_cast<std::size_t>(x));
            } else {
                at += 4 * static_cast<std::size_t>(x);
            }
            return RGB(ReadU8(image, at + 2), ReadU8(image, at + 1), ReadU8(image, at));
        };

        EXPECT_EQ(colourAt(want.size / 2, 0), RGB(0, 232, 255)) << "sky at the top centre";
        EXPECT_FALSE(masked(want.size / 2, 0));
        EXPECT_TRUE(masked(0, 0));
        EXPECT_TRUE(masked(want.size - 1, want.size - 1));
        EXPECT_FALSE(masked(want.size / 2, want.size / 2));
        if (want.bitsPerPixel == 32) {
            for (int y = 0; y < want.size; ++y) {
                for (int x = 0; x < want.size; ++x) {
                    const std::size_t row = static_cast<std::size_t>(want.size - 1 - y);
                    const std::size_t at = pixelStart + row * colourRow + 4 * static_cast<std::size_t>(x);
                    const unsigned alpha = ReadU8(image, at + 3);
                    ASSERT_EQ(masked(x, y), alpha < 128) << "pixel " << x << "," << y;
                }
            }
        }
    }
}

// A string block holds ids 16*(n-1) .. 16*n-1 as length-prefixed UTF-16.
TEST(Strings, TitleAndClassNameInTheirBlock)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes block = FindBytes(StringType, 103 / 16 + 1);
    ASSERT_NE(block.data, nullptr);
    std::vector<std::wstring> strings;
    std::size_t offset = 0;
    for (int i = 0; i < 16; ++i) {
        const unsigned length = ReadU16(block, offset);
        ASSERT_LE(offset + 2 + 2 * static_cast<std::size_t>(length), block.size) << "string " << i;
        strings.emplace_back(reinterpret_cast<const wchar_t*>(block.data + offset + 2), length);
        offset += 2 + 2 * static_cast<std::size_t>(length);
    }
    EXPECT_LE(block.size - offset, 2u) << "nothing after the sixteenth string but padding";
    for (int i = 0; i < 16; ++i) {
        const int id = 96 + i;
        if (id == 103) {
            EXPECT_EQ(strings[i], L"Kestrel Forges");
        } else if (id == 109) {
            EXPECT_EQ(strings[i], L"KESTRELFORGES");
        } else {
            EXPECT_TRUE(strings[i].empty()) << "unexpected string " << id;
        }
    }
}

// Each stored accelerator is fFlags, key, command, padding; 0x80 marks the last.
TEST(Accelerators, AltQuestionMarkAndAltSlashOpenHelp)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes table = FindBytes(AcceleratorType, 109);
    ASSERT_NE(table.data, nullptr);
    ASSERT_EQ(table.size, 16u);
    EXPECT_EQ(ReadU16(table, 0), static_cast<unsigned>(FALT));
    EXPECT_EQ(ReadU16(table, 2), static_cast<unsigned>('?'));
    EXPECT_EQ(ReadU16(table, 4), 104u);
    EXPECT_EQ(ReadU16(table, 8), static_cast<unsigned>(FALT | 0x80));
    EXPECT_EQ(ReadU16(table, 10), static_cast<unsigned>('/'));
    EXPECT_EQ(ReadU16(table, 12), 104u);
}

TEST(Dialog, HelpDialogTemplateAndControls)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes dlg = FindBytes(DialogType, 129);
    ASSERT_NE(dlg.data, nullptr);
    EXPECT_EQ(ReadU16(dlg, 0), 1u) << "dlgVer";
    EXPECT_EQ(ReadU16(dlg, 2), 0xFFFFu) << "DLGTEMPLATEEX signature";
    EXPECT_EQ(ReadU32(dlg, 4), 0u) << "help id";
    EXPECT_EQ(ReadU32(dlg, 8), 0u) << "exstyle";
    EXPECT_EQ(ReadU32(dlg, 12), 0x80C800C8u) << "style";
    EXPECT_EQ(ReadU32(dlg, 12) & WS_VISIBLE, 0u);
    ASSERT_EQ(ReadU16(dlg, 16), 3u) << "control count";
    EXPECT_EQ(ReadS16(dlg, 18), 40);
    EXPECT_EQ(ReadS16(dlg, 20), 40);
    EXPECT_EQ(ReadS16(dlg, 22), 419);
    EXPECT_EQ(ReadS16(dlg, 24), 272);

    std::size_t offset = 26;
    EXPECT_EQ(ReadU16(dlg, offset), 0u) << "no menu";
    offset += 2;
    EXPECT_EQ(ReadU16(dlg, offset), 0u) << "default dialog class";
    offset += 2;
    EXPECT_EQ(ReadString(dlg, offset), L"MENU");
    EXPECT_EQ(ReadU16(dlg, offset), 8u) << "point size";
    EXPECT_EQ(ReadU16(dlg, offset + 2), 400u) << "weight";
    EXPECT_EQ(ReadU8(dlg, offset + 4), 0u) << "italic";
    EXPECT_EQ(ReadU8(dlg, offset + 5), 1u) << "charset";
    offset += 6;
    EXPECT_EQ(ReadString(dlg, offset), L"MS Shell Dlg");

    for (const ControlEntry& want : ExpectedControls) {
        SCOPED_TRACE(want.id);
        offset = (offset + 3) & ~static_cast<std::size_t>(3);
        ASSERT_LE(offset + 24, dlg.size);
        EXPECT_EQ(ReadU32(dlg, offset), 0u) << "help id";
        EXPECT_EQ(ReadU32(dlg, offset + 4), 0u) << "exstyle";
        EXPECT_EQ(ReadU32(dlg, offset + 8), want.style);
        EXPECT_EQ(ReadS16(dlg, offset + 12), want.x);
        EXPECT_EQ(ReadS16(dlg, offset + 14), want.y);
        EXPECT_EQ(ReadS16(dlg, offset + 16), want.cx);
        EXPECT_EQ(ReadS16(dlg, offset + 18), want.cy);
        EXPECT_EQ(ReadU32(dlg, offset + 20), want.id);
        offset += 24;
        EXPECT_EQ(ReadU16(dlg, offset), 0xFFFFu) << "class given as a predefined atom";
        EXPECT_EQ(ReadU16(dlg, offset + 2), want.classAtom);
        offset += 4;
        EXPECT_EQ(ReadString(dlg, offset), want.text);
        EXPECT_EQ(ReadU16(dlg, offset), 0u) << "no creation data";
        offset += 2;
    }
    EXPECT_LE(offset, dlg.size);
}

TEST(Manifest, RunsAsInvokerWithNothingElse)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes manifest = FindBytes(ManifestType, 1);
    ASSERT_NE(manifest.data, nullptr);
    const std::string text = LowerCase(std::string(reinterpret_cast<const char*>(manifest.data), manifest.size));
    EXPECT_NE(text.find("requestedexecutionlevel"), std::string::npos);
    EXPECT_NE(text.find("level=\"asinvoker\""), std::string::npos);
    EXPECT_NE(text.find("uiaccess=\"false\""), std::string::npos);
    EXPECT_EQ(text.find("dpiaware"), std::string::npos);
    EXPECT_EQ(text.find("common-controls"), std::string::npos);
    EXPECT_EQ(text.find("supportedos"), std::string::npos);
}

} // namespace
