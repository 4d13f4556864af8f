// The walk over a PNG's chunks and a GIF's blocks before any decoder sees the file: files the
// platform's decoder would fault on, take seconds over, or read despite damage are refused
// with their reason, and files at each bound still load.
#include "../support/KorvoTest.h"
#include "../support/PictureFiles.h"
#include "parts/CGdiplusSession.h"
#include "parts/CSkinImage.h"
#include <gtest/gtest.h>

using namespace KorvoTest;
using namespace SkinImageFile;

namespace
{
const LONGLONG NO_LIMIT = 1LL << 40;

void PutBig(std::vector<BYTE>& out, DWORD n)
{
    for (int i = 3; i >= 0; i--)
        out.push_back((BYTE)(n >> (8 * i)));
}

std::vector<BYTE> Chunk(const char* pszType, const std::vector<BYTE>& data)
{
    std::vector<BYTE> chunk;
    PutBig(chunk, (DWORD)data.size());
    chunk.insert(chunk.end(), pszType, pszType + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    PutBig(chunk, PictureFiles::Crc32(chunk.data() + 4, chunk.size() - 4));
    return chunk;
}

// A 4 x 4 grey PNG with nCopies of a chunk before its image data (which ends at the IEND chunk,
// the last 12 bytes).
std::vector<BYTE> PngWith(const std::vector<BYTE>& chunk, int nCopies)
{
    std::vector<BYTE> png = PictureFiles::MakePng(4, 4, [](int, int, BYTE&) { return RGB(128, 128, 128); });
    const size_t nAfterHeader = 8 + 25;
    std::vector<BYTE> chunks;
    chunks.reserve(chunk.size() * nCopies);
    for (int n = 0; n < nCopies; n++)
        chunks.insert(chunks.end(), chunk.begin(), chunk.end());
    png.insert(png.begin() + nAfterHeader, chunks.begin(), chunks.end());
    return png;
}

// A 1 x 1 GIF: a global table unless bGlobal is false, nExtensions comment extensions of
// nSubBlocks one-byte blocks each, then nFrames one-pixel frames with the given LZW code size.
std::vector<BYTE> Gif(bool bGlobal, int nFrames, int nExtensions = 0, int nSubBlocks = 1, BYTE nCodeSize = 2)
{
    std::vector<BYTE> gif = { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, (BYTE)(bGlobal ? 0x80 : 0), 0, 0 };
    if (bGlobal)
        gif.insert(gif.end(), { 0, 0, 0, 255, 255, 255 });
    for (int n = 0; n < nExtensions; n++)
    {
        gif.insert(gif.end(), { 0x21, 0xFE });
        for (int k = 0; k < nSubBlocks; k++)
            gif.insert(gif.end(), { 1, 'x' });
        gif.push_back(0);
    }
    const BYTE frame[] = { 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, nCodeSize, 2, 0x44, 0x01, 0 };
    for (int n = 0; n < nFrames; n++)
        gif.insert(gif.end(), frame, frame + sizeof(frame));
    gif.push_back(0x3B);
    return gif;
}

class SkinImageFileWalk : public ::testing::Test
{
protected:
    // Loads the bytes as a file; the failure, FAILURE_NONE when it loaded.
    Failure LoadBytes(const std::vector<BYTE>& bytes, LONGLONG* pDecoded = NULL)
    {
        const CString strPath = m_folder.WriteFile(L"image.bin", bytes.data(), bytes.size());
        CSkinImage image;
        Failure failure = FAILURE_UNREADABLE;
        const BOOL bLoaded = image.Load(strPath, NO_LIMIT, &failure, pDecoded);
        EXPECT_EQ(bLoaded == TRUE, failure == FAILURE_NONE);
        EXPECT_EQ(bLoaded == TRUE, image.IsLoaded());
        return failure;
    }

    CGdiplusSession m_session;
    CTempFolder m_folder;
};
}

TEST_F(SkinImageFileWalk, GifsTheDecoderCannotTakeAreRefusedBeforeItSeesThem)
{
    ASSERT_TRUE(m_session.IsRunning());
    EXPECT_EQ(FAILURE_NONE, LoadBytes(Gif(true, 1)));
    // No colour table anywhere: the platform's decoder reads through a null one and faults.
    EXPECT_EQ(FAILURE_NO_COLOUR_TABLE, LoadBytes(Gif(false, 1)));
    std::vector<BYTE> local = Gif(false, 1);
    local[local.size() - 7] = 0x80;  // the frame's own table of two colours, inserted below
    local.insert(local.end() - 6, { 0, 0, 0, 255, 255, 255 });
    EXPECT_EQ(FAILURE_NONE, LoadBytes(local)) << "a frame's own table is enough";
    for (BYTE nCodeSize : { 0, 1, 9, 12, 255 })
        EXPECT_EQ(FAILURE_BAD_FRAME, LoadBytes(Gif(true, 1, 0, 1, nCodeSize))) << (int)nCodeSize;
    std::vector<BYTE> empty = Gif(true, 1);
    empty[19 + 5] = 0;  // the frame's width
    EXPECT_EQ(FAILURE_BAD_FRAME, LoadBytes(empty));
    std::vector<BYTE> gif = Gif(true, 1);
    EXPECT_EQ(FAILURE_TRUNCATED, LoadBytes(std::vector<BYTE>(gif.begin(), gif.end() - 4)));
    EXPECT_EQ(FAILURE_NONE, LoadBytes(std::vector<BYTE>(gif.begin(), gif.end() - 1))) << "no trailer after a whole frame";
    EXPECT_EQ(FAILURE_CORRUPT, LoadBytes(Gif(true, 0))) << "no frame";
}

TEST_F(SkinImageFileWalk, GifFramesExtensionsAndBlocksAreBounded)
{
    LONGLONG nDecoded = 0;
    EXPECT_EQ(FAILURE_NONE, LoadBytes(Gif(true, MAX_GIF_FRAMES), &nDecoded));
    EXPECT_EQ(MAX_GIF_FRAMES, nDecoded) << "every frame the decoder holds is charged";
    EXPECT_EQ(FAILURE_TOO_MANY_FRAMES, LoadBytes(Gif(true, MAX_GIF_FRAMES + 1), &nDecoded));
    EXPECT_EQ(0, nDecoded) << "refused before decoding";
    EXPECT_EQ(FAILURE_TOO_MANY_CHUNKS, LoadBytes(Gif(true, 1, MAX_GIF_EXTENSIONS + 1)));
    EXPECT_EQ(FAILURE_TOO_MANY_CHUNKS, LoadBytes(Gif(true, 1, 1, MAX_GIF_SUB_BLOCKS + 1)));
    EXPECT_EQ(FAILURE_NONE, LoadBytes(Gif(true, 1, 2, 1000)));
}

TEST_F(SkinImageFileWalk, PngChunksAreCheckedAndBounded)
{
    std::vector<BYTE> good = PngWith({}, 0);
    EXPECT_EQ(FAILURE_NONE, LoadBytes(good));
    // A damaged check value anywhere, the image data's included, is a damaged file.
    for (size_t nAt : { (size_t)8 + 21, good.size() - 12 - 1, good.size() - 1 })
    {
        std::vector<BYTE> damaged = good;
        damaged[nAt] ^= 0x5A;
        EXPECT_EQ(FAILURE_BAD_CRC, LoadBytes(damaged)) << nAt;
    }
    std::vector<BYTE> misnamed = good;
    misnamed[8 + 25 + 4] = '1';  // the image data chunk's name
    EXPECT_EQ(FAILURE_CORRUPT, LoadBytes(misnamed));
    EXPECT_EQ(FAILURE_TRUNCATED, LoadBytes(std::vector<BYTE>(good.begin(), good.end() - 12)));

    // Chunks other than image data: the header, the end and the text up to the bound.
    const std::vector<BYTE> text = Chunk("tEXt", { 'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i' });
    EXPECT_EQ(FAILURE_NONE, LoadBytes(PngWith(text, MAX_PNG_OTHER_CHUNKS - 2)));
    EXPECT_EQ(FAILURE_TOO_MANY_CHUNKS, LoadBytes(PngWith(text, MAX_PNG_OTHER_CHUNKS - 1)));
    // Empty image data chunks, which the decoder takes too, up to the bound of all chunks.
    const std::vector<BYTE> data = Chunk("IDAT", {});
    LONGLONG nDecoded = 0;
    EXPECT_EQ(FAILURE_TOO_MANY_CHUNKS, LoadBytes(PngWith(data, MAX_PNG_CHUNKS - 2), &nDecoded));
    EXPECT_EQ(0, nDecoded);
}
