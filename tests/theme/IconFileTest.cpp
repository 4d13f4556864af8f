// Icon files named by a skin are read and checked by the library before any icon is made from
// them: hostile directories, entries and image headers, and executables, give no icon and cost
// the rest of the skin nothing.
#include "ThemeTestSupport.h"
#include <functional>
#include "api/Globals.h"

namespace
{
const COLORREF RED = RGB(200, 0, 0), BLUE = RGB(0, 0, 200);

void PutWord(std::string& str, size_t nOffset, WORD n) { memcpy(&str[nOffset], &n, sizeof(n)); }
void PutLong(std::string& str, size_t nOffset, DWORD n) { memcpy(&str[nOffset], &n, sizeof(n)); }

// Offsets in a two-entry icon file: the directory, then the 16-pixel image's header.
const size_t COUNT = 4, ENTRY_SIZE = 6 + 8, ENTRY_OFFSET = 6 + 12, IMAGE = 6 + 2 * 16;

// A 64-bit executable image whose resource directory lies past the end of the file.
std::string MakeTruncatedExecutable()
{
    std::string pe(0x180, '\0');
    pe[0] = 'M', pe[1] = 'Z';
    PutLong(pe, 0x3C, 0x40);
    memcpy(&pe[0x40], "PE\0\0", 4);
    PutWord(pe, 0x44, 0x8664);     // machine
    PutWord(pe, 0x46, 1);          // one section
    PutWord(pe, 0x54, 240);        // optional header size
    PutWord(pe, 0x56, 0x2102);     // executable DLL
    PutWord(pe, 0x58, 0x20B);      // PE32+
    PutLong(pe, 0x58 + 32, 0x1000);  // section alignment
    PutLong(pe, 0x58 + 36, 0x200);   // file alignment
    PutLong(pe, 0x58 + 56, 0x3000);  // image size
    PutLong(pe, 0x58 + 60, 0x200);   // headers size
    PutLong(pe, 0x58 + 108, 16);     // data directories
    PutLong(pe, 0x58 + 112 + 2 * 8, 0x1000);      // resources at 0x1000...
    PutLong(pe, 0x58 + 112 + 2 * 8 + 4, 0x2000);  // ...0x2000 bytes long
    size_t nSection = 0x58 + 240;
    memcpy(&pe[nSection], ".rsrc", 5);
    PutLong(pe, nSection + 8, 0x2000);    // virtual size
    PutLong(pe, nSection + 12, 0x1000);   // virtual address
    PutLong(pe, nSection + 16, 0x2000);   // raw size
    PutLong(pe, nSection + 20, 0x200);    // raw data beyond the file's end
    PutLong(pe, nSection + 36, 0x40000040);
    return pe;
}
}

TEST(IconFiles, OnlyCheckedIconFilesGiveIconsAndTheRestOfTheSkinLoads)
{
    CSkinFolder folder;
    const std::string good = MakeIconFile({ { 16, RED }, { 32, BLUE } });
    struct { const char* pszName; std::function<void(std::string&)> mutate; } hostile[] = {
        { "reserved", [](std::string& s) { PutWord(s, 0, 1); } },
        { "cursor", [](std::string& s) { PutWord(s, 2, 2); } },
        { "no entries", [](std::string& s) { PutWord(s, COUNT, 0); } },
        { "65535 entries in 70 bytes", [](std::string& s) { PutWord(s, COUNT, 0xFFFF); s.resize(70); } },
        { "offset 0x7FFFFFF0", [](std::string& s) { PutLong(s, ENTRY_OFFSET, 0x7FFFFFF0); } },
        { "offset + size wraps", [](std::string& s) { PutLong(s, ENTRY_SIZE, 0xFFFFFFF0); } },
        { "entry past the end", [](std::string& s) { s.resize(s.size() - 1); } },
        { "entry shorter than its header", [](std::string& s) { PutLong(s, ENTRY_SIZE, 20); } },
        { "header size", [](std::string& s) { PutLong(s, IMAGE, 0x7FFFFFFF); } },
        { "huge width", [](std::string& s) { PutLong(s, IMAGE + 4, 0x40000000); } },
        { "negative height", [](std::string& s) { PutLong(s, IMAGE + 8, (DWORD)-32); } },
        { "bit count", [](std::string& s) { PutWord(s, IMAGE + 14, 7); } },
        { "compressed", [](std::string& s) { PutLong(s, IMAGE + 16, BI_RLE8); } },
        { "pixels past the entry", [](std::string& s) { PutLong(s, IMAGE + 4, 64), PutLong(s, IMAGE + 8, 128); } },
        { "colour table past the entry", [](std::string& s) { PutWord(s, IMAGE + 14, 8), PutLong(s, IMAGE + 32, 0x7FFFFFFF); } },
        { "truncated executable", [](std::string& s) { s = MakeTruncatedExecutable(); } },
    };

    std::string strImages = "<commandImages>";
    UINT nID = 500;
    for (const auto& test : hostile)
    {
        std::string file = good;
        test.mutate(file);
        CString strName;
        strName.Format(L"Definitions\\h%u.ico", nID);
        folder.WriteFile(strName, file);
        strImages += "<icon id='" + std::to_string(nID) + "' path='h" + std::to_string(nID) + ".ico' types='16,32'/>";
        nID++;
    }
    // A well-formed executable with icons is still no icon file.
    wchar_t szLibrary[MAX_PATH];
    ASSERT_TRUE(::GetModuleFileNameW(g_hSkinInstance, szLibrary, MAX_PATH));
    ASSERT_TRUE(::CopyFileW(szLibrary, folder.Path() + L"Definitions\\library.dll", FALSE));
    strImages += "<icon id='600' path='library.dll' types='16,32'/>";
    folder.WriteFile(L"Definitions\\good.ico", good);
    strImages += "<icon id='601' path='good.ico' types='16,32'/></commandImages>";
    folder.WriteBase(strImages + "<strings><string id='1' value='after the images'/></strings>");

    ASSERT_TRUE(LoadSkin(L"", L""));
    for (UINT n = 0; n < _countof(hostile); n++)
    {
        EXPECT_EQ(-1, g_Theme.GetImageIndex(500 + n, SIZE_CODE_16)) << hostile[n].pszName;
        EXPECT_EQ(-1, g_Theme.GetImageIndex(500 + n, SIZE_CODE_32)) << hostile[n].pszName;
    }
    EXPECT_EQ(-1, g_Theme.GetImageIndex(600, SIZE_CODE_16)) << "executables are refused";
    EXPECT_EQ(CString(L"after the images"), GetSkinString(1));

    // The checked file still gives its small and large images.
    HICON hSmall = g_Theme.GetIcon(601, SIZE_CODE_16), hLarge = g_Theme.GetIcon(601, SIZE_CODE_32);
    ASSERT_TRUE(hSmall && hLarge);
    CPixelCanvas canvas(32, 48);
    ::DrawIconEx(canvas.Dc(), 0, 0, hSmall, 16, 16, 0, NULL, DI_NORMAL);
    ::DrawIconEx(canvas.Dc(), 0, 16, hLarge, 32, 32, 0, NULL, DI_NORMAL);
    EXPECT_EQ(RED, canvas.Pixel(8, 8));
    EXPECT_EQ(BLUE, canvas.Pixel(16, 32));
    ::DestroyIcon(hSmall);
    ::DestroyIcon(hLarge);
}
