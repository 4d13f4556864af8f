// Picture files whose headers promise more than a control should decode on the GUI thread:
// each is refused before any decoder sees it, the control is left empty, and repeated attempts
// cost nothing. Pictures at the bounds still load.
#include "ControlsTestSupport.h"
#include "PictureFiles.h"
#include <KorvoSkin/CGroupHeadPhoto.h>

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{

void PutBE32(std::vector<BYTE>& bytes, UINT n)
{
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        bytes.push_back((BYTE)(n >> nShift));
}

void PutLE(std::vector<BYTE>& bytes, UINT n, int nBytes)
{
    for (int i = 0; i < nBytes; i++)
        bytes.push_back((BYTE)(n >> (8 * i)));
}

UINT Crc32(const BYTE* p, size_t n)
{
    UINT nCrc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; i++)
    {
        nCrc ^= p[i];
        for (int k = 0; k < 8; k++)
            nCrc = (nCrc >> 1) ^ (0xEDB88320 & (0 - (nCrc & 1)));
    }
    return ~nCrc;
}

void PutChunk(std::vector<BYTE>& png, const char* pszType, const std::vector<BYTE>& data)
{
    PutBE32(png, (UINT)data.size());
    size_t nStart = png.size();
    png.insert(png.end(), pszType, pszType + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBE32(png, Crc32(png.data() + nStart, png.size() - nStart));
}

// A complete one-bit grey PNG of cx by cy black pixels: every row is a zero filter byte and
// zeros, deflated as one literal and then copies of 258 bytes, 13 bits each (a few hundred
// kilobytes for 20000 x 20000).
std::vector<BYTE> MakeBlackPng(UINT cx, UINT cy)
{
    std::vector<BYTE> png = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    std::vector<BYTE> header;
    PutBE32(header, cx);
    PutBE32(header, cy);
    header.insert(header.end(), { 1, 0, 0, 0, 0 });
    PutChunk(png, "IHDR", header);

    const unsigned long long nRaw = (unsigned long long)cy * (1 + (cx + 7) / 8);
    std::vector<BYTE> z = { 0x78, 0x01 };
    UINT nBits = 0;
    int nCount = 0;
    auto put = [&](UINT nCode, int nLength, bool bReversed) {
        for (int i = 0; i < nLength; i++)
        {
            UINT nBit = bReversed ? (nCode >> (nLength - 1 - i)) & 1 : (nCode >> i) & 1;
            nBits |= nBit << nCount;
            if (++nCount == 8)
            {
                z.push_back((BYTE)nBits);
                nBits = 0;
                nCount = 0;
            }
        }
    };
    put(1, 1, false); // the last block
    put(1, 2, false); // fixed codes
    put(0x30, 8, true); // literal 0
    unsigned long long nLeft = nRaw - 1;
    for (; nLeft >= 258; nLeft -= 258)
    {
        put(0xC5, 8, true); // length 258
        put(0, 5, true);    // distance 1
    }
    for (; nLeft; nLeft--)
        put(0x30, 8, true);
    put(0, 7, true); // end of block
    if (nCount)
        z.push_back((BYTE)nBits);
    PutBE32(z, (UINT)((nRaw % 65521) << 16 | 1)); // Adler-32 of zeros
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    return png;
}

// A 4-bit BMP's headers and palette, claiming cx by cy pixels it does not hold: 118 bytes.
std::vector<BYTE> MakeHollowBmp(int cx, int cy)
{
    std::vector<BYTE> bmp = { 'B', 'M' };
    PutLE(bmp, 118, 4);
    PutLE(bmp, 0, 4);
    PutLE(bmp, 118, 4);
    PutLE(bmp, 40, 4);
    PutLE(bmp, (UINT)cx, 4);
    PutLE(bmp, (UINT)cy, 4);
    PutLE(bmp, 1, 2);
    PutLE(bmp, 4, 2);
    PutLE(bmp, 0, 4);
    PutLE(bmp, 0, 4);
    PutLE(bmp, 2835, 4);
    PutLE(bmp, 2835, 4);
    PutLE(bmp, 16, 4);
    PutLE(bmp, 0, 4);
    bmp.resize(118, 0x80);
    return bmp;
}

// A GIF with a logical screen of cx by cy and nFrames frames of one pixel each.
std::vector<BYTE> MakeGif(int cx, int cy, int nFrames)
{
    std::vector<BYTE> gif = { 'G', 'I', 'F', '8', '9', 'a' };
    PutLE(gif, (UINT)cx, 2);
    PutLE(gif, (UINT)cy, 2);
    gif.insert(gif.end(), { 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF });
    for (int n = 0; n < nFrames; n++)
    {
        gif.insert(gif.end(), { 0x21, 0xF9, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00 });
        gif.insert(gif.end(), { 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0 });
        // Minimum code size 2: clear (4), pixel 0, end (5), three bits each.
        gif.insert(gif.end(), { 0x02, 0x02, 0x44, 0x01, 0x00 });
    }
    gif.push_back(0x3B);
    return gif;
}

// The GIF without its global colour table (the flag cleared and the table cut out).
std::vector<BYTE> Untabled(std::vector<BYTE> gif)
{
    gif[10] &= 0x7F;
    gif.erase(gif.begin() + 13, gif.begin() + 19);
    return gif;
}

// The GIF with its first frame's LZW code size changed.
std::vector<BYTE> CodeSize(std::vector<BYTE> gif, BYTE nSize)
{
    // The header and table (19 bytes), the control extension (8), the frame descriptor (10).
    gif[19 + 8 + 10] = nSize;
    return gif;
}

class PictureBounds : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { InitSkin(); }
    static void TearDownTestSuite() { UnInitSkin(); }
    void SetUp() override
    {
        dlg.AddControl(L"Static", 500, SS_LEFT, 20, 20, 60, 40);
        ASSERT_TRUE(image.SubclassDlgItem(500, &dlg));
    }
    void TearDown() override
    {
        if (image.m_hWnd)
            image.DestroyWindow();
    }
    CString Write(LPCWSTR pszName, const std::vector<BYTE>& bytes) { return folder.WriteFile(pszName, bytes.data(), bytes.size()); }

    KorvoTest::CTempFolder folder;
    CHostDialog dlg;
    CImageStatic image;
};
}

TEST_F(PictureBounds, HostilePicturesAreRefusedAndLeaveNothingBehind)
{
    struct { CString strPath; const char* pszWhy; } hostile[] = {
        { Write(L"huge.png", MakeBlackPng(20000, 20000)), "PNG decoding to 20000 x 20000" },
        { Write(L"hollow.bmp", MakeHollowBmp(30000, 30000)), "118-byte BMP claiming 30000 x 30000" },
        { Write(L"upside.bmp", MakeHollowBmp(30000, -30000)), "top-down BMP claiming 30000 x 30000" },
        { Write(L"frames.gif", MakeGif(1, 1, 100000)), "GIF of 100,000 frames" },
        { Write(L"screen.gif", MakeGif(20000, 20000, 1)), "GIF on a 20000 x 20000 screen" },
        { Write(L"wide.png", MakeBlackPng(0x7FFFFFFF, 1)), "PNG as wide as a number goes" },
        { Write(L"untabled.gif", Untabled(MakeGif(1, 1, 1))), "GIF whose frame has no colour table at all" },
        { Write(L"codesize.gif", CodeSize(MakeGif(1, 1, 1), 12)), "GIF frame of LZW code size 12" },
    };
    const CString strGood = Write(L"good.gif", PictureFiles::MakeGif(8, 8, { RGB(255, 0, 0) }, 5));
    for (const auto& row : hostile)
    {
        ASSERT_TRUE(image.Load(strGood));
        EXPECT_FALSE(image.Load(row.strPath)) << row.pszWhy;
        Repaint(image.m_hWnd);
        EXPECT_EQ(WHITE, CCapture(image.m_hWnd).At(30, 20)) << row.pszWhy << ": the control is left empty";
    }

    const SIZE_T nBefore = KorvoTest::CommittedPrivateBytes();
    for (int n = 0; n < 20; n++)
        for (const auto& row : hostile)
            EXPECT_FALSE(image.Load(row.strPath)) << row.pszWhy;
    const long long nGrowth = (long long)KorvoTest::CommittedPrivateBytes() - (long long)nBefore;
    EXPECT_LT(nGrowth, 4LL * 1024 * 1024) << "20 rounds of refusals";
}

TEST_F(PictureBounds, PicturesAtTheBoundsLoad)
{
    // 4096 x 4096 is the largest square frame; 1000 frames the most; 1000 frames of 64 x 64 are
    // within the decoded total.
    EXPECT_TRUE(image.Load(Write(L"square.gif", MakeGif(4096, 4096, 1))));
    EXPECT_FALSE(image.Load(Write(L"taller.gif", MakeGif(4096, 4097, 1))));
    EXPECT_TRUE(image.Load(Write(L"many.gif", MakeGif(64, 64, 1000))));
    EXPECT_EQ(1000u, image.GetFrameCount());
    EXPECT_FALSE(image.Load(Write(L"more.gif", MakeGif(1, 1, 1001))));
    // 16 frames of 2048 x 2048 fill the decoded total; a 17th passes it.
    EXPECT_TRUE(image.Load(Write(L"total.gif", MakeGif(2048, 2048, 16))));
    EXPECT_FALSE(image.Load(Write(L"past.gif", MakeGif(2048, 2048, 17))));
    image.Destroy();
    EXPECT_TRUE(image.Load(Write(L"small.png", MakeBlackPng(300, 200))));
    std::vector<BYTE> jpeg = PictureFiles::MakeEncodedPicture(L"image/jpeg", 40, 30, RGB(0, 0, 255));
    EXPECT_TRUE(image.Load(Write(L"photo.jpg", jpeg)));
    image.Destroy();
}

TEST(GroupPhotoBounds, AHollowBitmapIsRefused)
{
    KorvoTest::CTempFolder folder;
    CGroupHeadPhoto photo;
    std::vector<BYTE> hollow = MakeHollowBmp(30000, 30000);
    std::vector<BYTE> good = KorvoTest::MakeBitmapFile(60, 60, [](int, int, void*) { return RGB(1, 2, 3); }, nullptr);
    const CString strGood = folder.WriteFile(L"good.bmp", good.data(), good.size());
    const CString strHollow = folder.WriteFile(L"hollow.bmp", hollow.data(), hollow.size());
    ASSERT_TRUE(photo.Load(strGood));
    const SIZE_T nBefore = KorvoTest::CommittedPrivateBytes();
    for (int n = 0; n < 20; n++)
        EXPECT_FALSE(photo.Load(strHollow));
    EXPECT_LT((long long)KorvoTest::CommittedPrivateBytes() - (long long)nBefore, 4LL * 1024 * 1024);
    EXPECT_TRUE(photo.Load(strGood));
}
