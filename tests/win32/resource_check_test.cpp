// resource_check_test.cpp -- the built game exe carries its resource script byte for byte, in a form Windows takes
//
// This test is linked with the game's own resource script, so its module holds
// what the script compiles to; the game exe must hold the same resources, byte
// for byte. What the resources say (title, class name, help texts, icons) is
// checked where the game shows it: the shell and end-to-end tests; the Alt
// accelerators and the help dialog's style and geometry are pinned here.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr WORD EnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The RT_ type ids as plain numbers, the same whether or not UNICODE is set.
constexpr long IconType = 3;
constexpr long DialogType = 5;
constexpr long AcceleratorType = 9;
constexpr long GroupIconType = 14;
constexpr long ManifestType = 24;

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
};

// One resource: type, name and language; string names are recorded as -1.
using ResourceKey = std::tuple<long, long, long>;

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

HMODULE ScriptModule()
{
    return GetModuleHandleW(nullptr);
}

Bytes FindBytes(HMODULE module, long type, long name, long language)
{
    HRSRC info = FindResourceExW(module, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(name),
                                 static_cast<WORD>(language));
    if (info == nullptr) {
        return Bytes{nullptr, 0};
    }
    HGLOBAL handle = LoadResource(module, info);
    return Bytes{static_cast<const std::uint8_t*>(LockResource(handle)), SizeofResource(module, info)};
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

unsigned long ReadU32(const Bytes& bytes, std::size_t offset)
{
    return ReadU16(bytes, offset) | static_cast<unsigned long>(ReadU16(bytes, offset + 2)) << 16;
}

// A template's name or class field: none, an ordinal, or a string ending in a zero.
std::size_t SkipNameField(const Bytes& bytes, std::size_t offset)
{
    if (ReadU16(bytes, offset) == 0xFFFFu) {
        return offset + 4;
    }
    while (offset < bytes.size && ReadU16(bytes, offset) != 0) {
        offset += 2;
    }
    return offset + 2;
}

// A window's or control's style, then its x, y, width and height in dialog units.
std::vector<long long> StyleAndBox(const Bytes& bytes, std::size_t style, std::size_t box)
{
    std::vector<long long> read = {static_cast<long long>(ReadU32(bytes, style))};
    for (std::size_t field = 0; field < 4; ++field) {
        read.push_back(static_cast<short>(ReadU16(bytes, box + 2 * field)));
    }
    return read;
}

long IdOf(LPCWSTR typeOrName)
{
    return IS_INTRESOURCE(typeOrName) ? static_cast<long>(reinterpret_cast<ULONG_PTR>(typeOrName)) : -1L;
}

struct Enumeration {
    std::vector<ResourceKey> keys;
    long type;
    long name;
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR out)
{
    auto* found = reinterpret_cast<Enumeration*>(out);
    found->keys.emplace_back(found->type, found->name, language);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR out)
{
    auto* found = reinterpret_cast<Enumeration*>(out);
    found->name = IdOf(name);
    EnumResourceLanguagesW(module, type, name, CollectLanguage, out);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPWSTR type, LONG_PTR out)
{
    auto* found = reinterpret_cast<Enumeration*>(out);
    found->type = IdOf(type);
    EnumResourceNamesW(module, type, CollectName, out);
    return TRUE;
}

// Every resource of the module, sorted.
std::vector<ResourceKey> Catalogue(HMODULE module)
{
    Enumeration found{{}, 0, 0};
    EnumResourceTypesW(module, CollectType, reinterpret_cast<LONG_PTR>(&found));
    std::sort(found.keys.begin(), found.keys.end());
    return found.keys;
}

TEST(Resources, TheGameCarriesItsScriptByteForByte)
{
    ASSERT_NE(_wgetenv(L"KESTREL_EXE"), nullptr) << "set KESTREL_EXE to the game executable";
    ASSERT_NE(GameModule(), nullptr) << "LoadLibraryExW failed, error " << GetLastError();
    const std::vector<ResourceKey> game = Catalogue(GameModule());
    const std::vector<ResourceKey> script = Catalogue(ScriptModule());
    ASSERT_FALSE(script.empty());
    ASSERT_EQ(game, script) << "the game carries exactly the script's resources";
    for (const ResourceKey& key : game) {
        const auto [type, name, language] = key;
        SCOPED_TRACE(testing::Message() << "type " << type << " name " << name);
        EXPECT_EQ(language, EnglishUs) << "every resource is US English";
        const Bytes built = FindBytes(GameModule(), type, name, language);
        const Bytes compiled = FindBytes(ScriptModule(), type, name, language);
        ASSERT_NE(built.data, nullptr);
        ASSERT_EQ(built.size, compiled.size);
        EXPECT_EQ(std::memcmp(built.data, compiled.data, built.size), 0);
    }
}

// Alt+? and Alt+/ (ASCII keys with Alt) issue command 104; no other key does.
TEST(Resources, AcceleratorsAreAltQuestionMarkAndSlash)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes table = FindBytes(GameModule(), AcceleratorType, 109, EnglishUs);
    ASSERT_EQ(table.size, 16u) << "two entries of 8 bytes";
    // Flags (0x10 Alt, no virtual key; 0x80 the last entry), key, command.
    const unsigned expected[2][3] = {{0x10, '?', 104}, {0x90, '/', 104}};
    for (std::size_t entry = 0; entry < 2; ++entry) {
        for (std::size_t field = 0; field < 3; ++field) {
            EXPECT_EQ(ReadU16(table, 8 * entry + 2 * field), expected[entry][field]) << "entry " << entry;
        }
    }
}

// The help dialog: an extended template, a popup with caption, system menu and modal frame in the fixed system
// font at (40, 40), 419 by 272 dialog units; the default OK button and the two texts where the script puts them.
TEST(Resources, HelpDialogHasItsStyleAndGeometry)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes dialog = FindBytes(GameModule(), DialogType, 129, EnglishUs);
    ASSERT_NE(dialog.data, nullptr);
    EXPECT_EQ(ReadU16(dialog, 2), 0xFFFFu);
    EXPECT_EQ(StyleAndBox(dialog, 12, 18), (std::vector<long long>{0x80C800C8, 40, 40, 419, 272}));
    ASSERT_EQ(ReadU16(dialog, 16), 3u) << "three controls";
    // Menu, class and caption, then the font: size, weight, italic and character set, face name.
    std::size_t offset = SkipNameField(dialog, SkipNameField(dialog, SkipNameField(dialog, 26)));
    offset = SkipNameField(dialog, offset + 6);
    const std::vector<std::vector<long long>> controls = {{0x50010001, 185, 241, 50, 14, IDOK},
                                                     {0x50020000, 15, 15, 388, 73, 1001},
                                                     {0x50020000, 19, 121, 382, 111, 1000}};
    for (const std::vector<long long>& control : controls) {
        // Each control starts on a 4-byte boundary: help id, extended style, then its style.
        offset = (offset + 3) & ~std::size_t{3};
        std::vector<long long> read = StyleAndBox(dialog, offset + 8, offset + 12);
        read.push_back(static_cast<long long>(ReadU32(dialog, offset + 20)));
        EXPECT_EQ(read, control);
        offset = SkipNameField(dialog, SkipNameField(dialog, offset + 24));
        offset += 2 + ReadU16(dialog, offset);
    }
}

// Every image of both icon groups is one the system turns into an icon of the
// size its group lists; the 256x256 ones are PNG, which keeps the exe small.
TEST(Resources, EveryIconImageDecodesAtItsListedSize)
{
    ASSERT_NE(GameModule(), nullptr);
    const std::uint8_t pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const long group : {107L, 108L}) {
        const Bytes directory = FindBytes(GameModule(), GroupIconType, group, EnglishUs);
        ASSERT_NE(directory.data, nullptr) << "group " << group;
        const unsigned count = ReadU16(directory, 4);
        ASSERT_GT(count, 0u);
        ASSERT_EQ(directory.size, 6u + 14u * count);
        for (unsigned i = 0; i < count; ++i) {
            SCOPED_TRACE(testing::Message() << "group " << group << " image " << i);
            const std::size_t entry = 6 + 14 * static_cast<std::size_t>(i);
            const int size = directory.data[entry] == 0 ? 256 : directory.data[entry];
            const Bytes image = FindBytes(GameModule(), IconType, static_cast<long>(ReadU16(directory, entry + 12)),
                                          EnglishUs);
            ASSERT_NE(image.data, nullptr);
            const bool png = image.size > sizeof pngSignature &&
                             std::memcmp(image.data, pngSignature, sizeof pngSignature) == 0;
            EXPECT_EQ(png, size == 256);
            HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(image.data), static_cast<DWORD>(image.size), TRUE,
                                                  0x00030000, size, size, LR_DEFAULTCOLOR);
            ASSERT_NE(icon, nullptr) << "the system accepts the image";
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bitmap = {};
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size);
            EXPECT_EQ(bitmap.bmHeight, size);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

// Started as the user who starts it, with no elevation prompt, and unaware of
// display scaling: the game's window covers the screen in the system's pixels.
TEST(Resources, ManifestRunsAsInvokerWithNothingElse)
{
    ASSERT_NE(GameModule(), nullptr);
    const Bytes manifest = FindBytes(GameModule(), ManifestType, 1, EnglishUs);
    ASSERT_NE(manifest.data, nullptr);
    std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    EXPECT_NE(text.find("level=\"asinvoker\""), std::string::npos);
    EXPECT_NE(text.find("uiaccess=\"false\""), std::string::npos);
    EXPECT_EQ(text.find("dpiaware"), std::string::npos);
    EXPECT_EQ(text.find("common-controls"), std::string::npos);
    EXPECT_EQ(text.find("supportedos"), std::string::npos);
}

}  // namespace
