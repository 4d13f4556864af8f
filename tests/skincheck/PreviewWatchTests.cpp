// The preview kept running on a skin folder: each save of a colour, an image, a variant or a
// window skin's part paints the pictures again, a broken save keeps the last good ones, and a
// burst of saves costs a few rounds, not one each.
#include "CPreviewWatch.h"
#include "KorvoTest.h"
#include "parts/CGdiplusSession.h"
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace KorvoTest;

namespace
{
void CopyTree(const CString& strFrom, const CString& strTo)
{
    ::CreateDirectoryW(strTo, NULL);
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW(strFrom + L"\\*", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    do
    {
        const CString strName = data.cFileName;
        if (strName == L"." || strName == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(strFrom + L"\\" + strName, strTo + L"\\" + strName);
        else
            ::CopyFileW(strFrom + L"\\" + strName, strTo + L"\\" + strName, FALSE);
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
}

std::string ReadText(const CString& strPath)
{
    std::string text;
    if (FILE* pFile = _wfopen(strPath, L"rb"))
    {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
            text.append(buffer, n);
        fclose(pFile);
    }
    return text;
}

std::vector<BYTE> ReadFileBytes(const CString& strPath)
{
    const std::string text = ReadText(strPath);
    return std::vector<BYTE>(text.begin(), text.end());
}

void WriteText(const CString& strPath, const std::string& text)
{
    FILE* pFile = _wfopen(strPath, L"wb");
    ASSERT_TRUE(pFile);
    fwrite(text.data(), 1, text.size(), pFile);
    fclose(pFile);
}

std::string Replaced(std::string text, const std::string& strFrom, const std::string& strTo)
{
    const size_t n = text.find(strFrom);
    EXPECT_NE(std::string::npos, n) << strFrom;
    return n == std::string::npos ? text : text.replace(n, strFrom.size(), strTo);
}

// Whether the picture holds a pixel of exactly cr.
bool Shows(const CString& strPng, COLORREF cr)
{
    Gdiplus::Bitmap bitmap(strPng);
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    for (UINT y = 0; y < bitmap.GetHeight(); y++)
        for (UINT x = 0; x < bitmap.GetWidth(); x++)
        {
            Gdiplus::Color colour;
            bitmap.GetPixel(x, y, &colour);
            if (colour.GetA() == 255 && RGB(colour.GetR(), colour.GetG(), colour.GetB()) == cr)
                return true;
        }
    return false;
}

COLORREF Solid(int, int, void*)
{
    return RGB(1, 2, 3);
}

// The watch on a thread of its own; what it prints is read here.
class CRunningWatch
{
public:
    CRunningWatch(const std::vector<CString>& args) : m_hStop(::CreateEventW(NULL, TRUE, FALSE, NULL))
    {
        m_thread = std::thread([this, args] {
            m_nStatus = m_watch.Run(args, m_hStop, [this](const CString& strLines) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_strPrinted += strLines;
                m_changed.notify_all();
            }, 150);
        });
    }
    ~CRunningWatch() { Stop(); }
    int Stop()
    {
        ::SetEvent(m_hStop);
        if (m_thread.joinable())
            m_thread.join();
        ::CloseHandle(m_hStop);
        m_hStop = NULL;
        return m_nStatus;
    }
    // Waits until the printed text holds strText after what was read before; returns what was
    // printed since then, up to and including it (empty after 20 seconds without).
    CString WaitFor(const CString& strText)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        int nFound = -1;
        m_changed.wait_for(lock, std::chrono::seconds(20), [&] { return (nFound = m_strPrinted.Find(strText, m_nRead)) >= 0; });
        if (nFound < 0)
            return CString();
        CString strSince = m_strPrinted.Mid(m_nRead, nFound + strText.GetLength() - m_nRead);
        m_nRead = nFound + strText.GetLength();
        return strSince;
    }
    int Rounds() const { return m_watch.GetRounds(); }

private:
    CPreviewWatch m_watch;
    HANDLE m_hStop;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    CString m_strPrinted;
    int m_nRead = 0;
    int m_nStatus = -1;
};
}

TEST(PreviewWatch, EverySaveRepaintsThePicturesAndABrokenSaveKeepsTheLastGoodOnes)
{
    CGdiplusSession session;
    CTempFolder folder;
    CString strGallery = KORVO_TESTS_DIR L"\\..\\samples\\gallery\\Definitions";
    strGallery.Replace(L'/', L'\\');
    CopyTree(strGallery, folder.Path() + L"Definitions");
    const CString strSkin = folder.Path() + L"Definitions\\Aurora.xml";
    const CString strActive = folder.Path() + L"out-active.png";
    const std::string good = ReadText(strSkin);
    ASSERT_FALSE(good.empty());

    CRunningWatch watch({ L"--app", folder.Path(), L"--dpi", L"192", L"--out", folder.Path() + L"out", L"Gallery",
                          L"Definitions\\English.xml", L"Definitions\\Aurora.xml" });
    ASSERT_NE(L"", watch.WaitFor(L"(Ctrl+C ends)\n"));
    EXPECT_FALSE(Shows(strActive, RGB(255, 0, 0)));

    // A colour: the caption text of the active picture only.
    const std::string red = Replaced(good, "colour=\"FFFFFF\" inactiveColour", "colour=\"FF0000\" inactiveColour");
    WriteText(strSkin, red);
    CString strRound = watch.WaitFor(L"png\n");
    EXPECT_NE(-1, strRound.Find(L"changed " + strActive)) << (LPCWSTR)strRound;
    watch.WaitFor(L"\n");
    EXPECT_TRUE(Shows(strActive, RGB(255, 0, 0)));

    // A half-written file, then an XML error: the pictures stay as they were, and say why.
    const std::vector<BYTE> redPicture = ReadFileBytes(strActive);
    WriteText(strSkin, red.substr(0, red.size() / 2));
    EXPECT_NE(L"", watch.WaitFor(L"kept the last good pictures"));
    WriteText(strSkin, Replaced(red, "</parts>", "</part>"));
    EXPECT_NE(L"", watch.WaitFor(L"kept the last good pictures"));
    EXPECT_EQ(redPicture, ReadFileBytes(strActive));

    // A window skin's part: the top edge now comes from the caption buttons' row.
    WriteText(strSkin, Replaced(red, "<part name=\"Top\" rect=\"24,0,16,30\"/>", "<part name=\"Top\" rect=\"24,60,16,30\"/>"));
    strRound = watch.WaitFor(L"changed " + strActive);
    EXPECT_NE(L"", strRound);
    EXPECT_NE(redPicture, ReadFileBytes(strActive));

    // An image and its variant for the picture's DPI: the variant is what shows.
    const std::vector<BYTE> variant = MakeBitmapFile(320, 240, Solid, NULL);
    folder.WriteFile(L"Definitions\\Aurora\\frame@2x.bmp", variant.data(), variant.size());
    EXPECT_NE(L"", watch.WaitFor(L"changed " + strActive));
    watch.WaitFor(L"\n");
    EXPECT_TRUE(Shows(strActive, RGB(1, 2, 3)));

    // A burst of saves is painted a few times, and the last save is what shows.
    const int nRoundsBefore = watch.Rounds();
    for (int n = 0; n < 500; n++)
        WriteText(strSkin, n % 2 ? red : good);
    WriteText(strSkin, Replaced(good, "colour=\"FFFFFF\" inactiveColour", "colour=\"00FF00\" inactiveColour"));
    EXPECT_NE(L"", watch.WaitFor(L"changed " + strActive));
    ::Sleep(1000);
    EXPECT_LE(watch.Rounds() - nRoundsBefore, 10);
    EXPECT_EQ(0, watch.Stop());
    EXPECT_TRUE(Shows(strActive, RGB(0, 255, 0)));
}

TEST(PreviewWatch, BadArgumentsAndAFolderThatCannotBeWatchedEndAtOnce)
{
    CString strPrinted;
    HANDLE hStop = ::CreateEventW(NULL, TRUE, TRUE, NULL);
    auto print = [&](const CString& strLines) { strPrinted += strLines; };
    EXPECT_EQ(2, CPreviewWatch().Run({ L"Gallery" }, hStop, print));
    EXPECT_NE(-1, strPrinted.Find(L"usage"));
    EXPECT_EQ(2, CPreviewWatch().Run({ L"--app", L"Z:\\no\\such\\folder", L"Gallery", L"a.xml" }, hStop, print));
    EXPECT_NE(-1, strPrinted.Find(L"cannot watch"));
    ::CloseHandle(hStop);
}
