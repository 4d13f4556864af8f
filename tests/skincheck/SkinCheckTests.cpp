// The skin checker over skins made to break one rule each: every report's file, line, column,
// severity and text, and the exit status; the bundled skins pass clean; malformed documents
// never stop it.
#include "CSkinCheck.h"
#include "theme/ColourContrast.h"
#include "KorvoTest.h"
#include "PictureFiles.h"
#include "../xml/XmlTestSupport.h"
#include <gtest/gtest.h>

using namespace KorvoTest;

namespace
{

COLORREF Grey(int, int, void*)
{
    return RGB(128, 128, 128);
}

class SkinCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<BYTE> frame = MakeBitmapFile(32, 16, Grey, NULL);
        m_folder.WriteFile(L"frame.bmp", frame.data(), frame.size());
        m_folder.WriteFile(L"logo.bmp", frame.data(), frame.size());
    }

    // Checks the given files ("first" then "second", as LoadSkin takes them) in the folder.
    int Check(std::vector<CString> names, CString& strOutput)
    {
        std::vector<CString> args = { L"--app", m_folder.Path() };
        args.insert(args.end(), names.begin(), names.end());
        return m_check.Run(args, strOutput);
    }

    // Checks one file holding strXml. In strExpected each line's leading '@' stands for the
    // file's path.
    void Expect(const std::string& strXml, const CString& strExpected, int nStatus)
    {
        m_folder.WriteFile(L"skin.xml", strXml);
        CString strOutput;
        EXPECT_EQ(nStatus, Check({ L"skin.xml" }, strOutput)) << Str(strOutput);
        CString strWanted(strExpected);
        strWanted.Replace(L"@", m_folder.Path() + L"skin.xml");
        EXPECT_EQ(Str(strWanted), Str(strOutput));
    }

    CTempFolder m_folder;
    CSkinCheck m_check;
};

} // namespace

TEST_F(SkinCheck, MalformedXmlIsReportedWhereReadingStopped)
{
    Expect("<skin>\n<strings>\n<string id='1' value=x/>\n</strings>\n</skin>",
           L"@:3:22: error: malformed XML: the document cannot be read past here, so the file contributes nothing\n", 2);
    Expect("<skin>\r\n  <strings>\r\n  </Strings>\r\n</skin>",
           L"@:3:4: error: </Strings> closes <strings>: malformed XML: the document cannot be read past here, so the "
           L"file contributes nothing\n", 2);
    Expect("<skin><a x='>/'><b></a></b></skin>",
           L"@:1:21: error: </a> closes <b>: malformed XML: the document cannot be read past here, so the file "
           L"contributes nothing\n", 2);
    Expect("<skins/>", L"@:1:1: error: the root element is <skins>, not <skin>: the file contributes nothing\n", 2);
}

TEST_F(SkinCheck, UnknownSectionsElementsAndAttributesAreWarnings)
{
    Expect("<skin>\n<sounds/>\n<strings colour=\"x\">\n<str id=\"1\"/>\n<string id=\"1\" value=\"a\" lang=\"en\"/>\n"
           "</strings>\n</skin>",
           L"@:2:1: warning: unknown section <sounds> is skipped\n"
           L"@:3:10: warning: unknown attribute 'colour' on <strings> is ignored\n"
           L"@:4:1: warning: unknown element <str> in <strings> is ignored\n"
           L"@:5:26: warning: unknown attribute 'lang' on <string> is ignored\n", 1);
}

TEST_F(SkinCheck, IdsThatResolveToZeroAndNamesUsedBeforeTheirMap)
{
    Expect("<skin>\n<strings>\n<string id=\"IDS_LATER\" value=\"a\"/>\n<string id=\"0\" value=\"b\"/>\n"
           "<tip message=\"m\"/>\n</strings>\n<resourceMap>\n<command id=\"IDS_LATER\" code=\"12\"/>\n"
           "<command id=\"IDS_BAD\" code=\"x12\"/>\n<command id=\"IDS_AFTER\" code=\"13\"/>\n</resourceMap>\n</skin>",
           L"@:3:9: error: id 'IDS_LATER' is not a number and no earlier <resourceMap> names it: <string> is skipped\n"
           L"@:4:9: error: id '0' resolves to 0: <string> is skipped\n"
           L"@:5:1: error: <tip> has no id: it is skipped\n"
           L"@:9:23: error: code 'x12' is not a decimal number: the rest of the file is not read\n", 2);
}

TEST_F(SkinCheck, ColoursImagesAndDuplicateWatermarks)
{
    Expect("<skin>\n<colourScheme>\n<colour name=\"system.base.window\" value=\"FFFFF\"/>\n"
           "<colour name=\"menu.back\" value=\"GG0000\"/>\n<colour name=\"menu.backdrop\" value=\"000000\"/>\n"
           "</colourScheme>\n<watermarks>\n<watermark target=\"About\" path=\"missing.bmp\"/>\n"
           "<watermark target=\"Logo\" path=\"logo.bmp\"/>\n<watermark target=\"Logo\" path=\"logo.bmp\"/>\n"
           "<watermark path=\"logo.bmp\"/>\n</watermarks>\n</skin>",
           L"@:3:35: error: colour 'FFFFF' is not six hexadecimal digits: 'system.base.window' is left as it was\n"
           L"@:4:26: error: colour 'GG0000' is not six hexadecimal digits: 'menu.back' is left as it was\n"
           L"@:5:9: warning: unknown colour key 'menu.backdrop' is ignored\n"
           L"@:8:27: error: image 'missing.bmp' cannot be loaded: watermark 'About' is left out\n"
           L"@:10:1: warning: watermark 'Logo' replaces an earlier one of that name\n"
           L"@:11:1: error: <watermark> without a target is skipped\n", 2);
}

TEST_F(SkinCheck, DiscardedWindowSkinsPartsAnchorsAndDuplicateTargets)
{
    Expect("<skin>\n<windowSkins>\n<windowSkin>\n<target window=\"Main\"/>\n</windowSkin>\n"
           "<windowSkin>\n<target window=\"Main\"/>\n<image path=\"nothere.bmp\"/>\n</windowSkin>\n"
           "<windowSkin>\n<target window=\"Main\"/>\n<image path=\"frame.bmp\"/>\n<parts>\n"
           "<part name=\"Top\" rect=\"0,0,10,10\"/>\n<part name=\"Left\" rect=\"20,0,20,10\"/>\n"
           "<part name=\"Topp\" rect=\"0,0,4,4\"/>\n<part name=\"Bottom\"/>\n</parts>\n<anchors>\n"
           "<anchor name=\"Close\"/>\n</anchors>\n</windowSkin>\n"
           "<windowSkin>\n<target window=\"Main\"/>\n<image path=\"frame.bmp\"/>\n</windowSkin>\n"
           "</windowSkins>\n</skin>",
           L"@:3:1: error: window skin without a main <image> (one without a type) is discarded\n"
           L"@:8:8: error: image 'nothere.bmp' cannot be loaded: the window skin is discarded\n"
           L"@:15:19: error: part 'Left' (20,0,20,10) is not inside the 32x16 main image\n"
           L"@:16:7: warning: unknown part 'Topp' is kept but never drawn\n"
           L"@:17:1: error: part 'Bottom' has no usable rectangle: it is ignored\n"
           L"@:20:1: error: anchor 'Close' has neither rect nor point: it is ignored\n"
           L"@:23:1: warning: window skin for 'Main' replaces an earlier one: the one read last wins\n", 2);
}

// Values the reader falls back from, and caption buttons that cannot show: each is a quiet
// mistake in a window (a tiled part, a bold or dot-sized caption, a missing Close button).
TEST_F(SkinCheck, UnknownValuesUnitsAndButtonsWithoutTheirAnchorOrParts)
{
    Expect("<skin><windowSkins><windowSkin>\n<target window=\"Main\"/>\n<image path=\"frame.bmp\"/>\n"
           "<image path=\"logo.bmp\" type=\"watermrk\"/>\n<parts>\n"
           "<part name=\"Top\" rect=\"0,0,4,4\" mode=\"strech\"/>\n<part name=\"Left\" rect=\"0,0,4,4\" mode=\"Stretch\"/>\n"
           "<part name=\"CloseHover\" rect=\"4,0,4,4\"/>\n<part name=\"Minimise\" rect=\"4,0,4,4\"/>\n</parts>\n"
           "<anchors>\n<anchor name=\"Minimise\" rect=\"-20,2,4,4\"/>\n<anchor name=\"Maximise\" rect=\"-10,2,4,4\"/>\n</anchors>\n"
           "<caption rect=\"1,1,9,9\" fontFace=\"Tahoma\" fontWeight=\"heavy\" fontSize=\"9pt\"/>\n"
           "<caption rect=\"1,1,9,9\" fontFace=\"Tahoma\" fontWeight=\"600\" fontSize=\"12px\"/>\n"
           "<caption rect=\"1,1,9,9\" fontSize=\"90pt\"/>\n"
           "<region><shape type=\"rectangle\" rect=\"0,0,-1,-1\" combine=\"union\"/></region>\n"
           "</windowSkin></windowSkins></skin>",
           L"@:4:24: warning: image type 'watermrk' is not watermark or alpha: the image is taken as the main bitmap\n"
           L"@:6:33: warning: mode 'strech' is not tile or stretch: the part tiles\n"
           L"@:8:1: warning: Close parts without a Close anchor: the window has no Close button\n"
           L"@:13:1: warning: Maximise anchor without a Maximise part: the button takes clicks but is not drawn\n"
           L"@:15:43: warning: fontWeight 'heavy' is not a number, bold or normal: the caption is bold\n"
           L"@:15:62: warning: fontSize '9pt' is 0.9 points, as sizes with pt are tenths of a point (9 points is 90pt)\n"
           L"@:16:60: warning: fontSize '12px' is neither pixels (a number) nor tenths of a point (a number and pt): "
           L"only its leading number is read\n"
           L"@:17:25: warning: <caption> without a fontFace uses the system caption font: fontSize and fontWeight are ignored\n"
           L"@:18:50: warning: combine 'union' is not and, or, xor, copy or diff: it is ignored\n", 1);
}

// The caption's large text needs 3:1 against the frame composed beneath it: a grey on grey, an
// unset (white) colour on white given as a point; an inactive colour alone is not measured.
TEST_F(SkinCheck, ACaptionThatBarelyStandsOutFromItsFrameIsWarnedAtItsColour)
{
    std::vector<BYTE> white = MakeBitmapFile(32, 16, [](int, int, void*) { return RGB(255, 255, 255); }, NULL);
    m_folder.WriteFile(L"white.bmp", white.data(), white.size());
    const std::string strSkin = "<windowSkin>\n<target window=\"Main\"/>\n<parts>\n<part name=\"TopLeft\" rect=\"0,0,8,12\"/>\n"
                                "<part name=\"Top\" rect=\"8,0,8,12\"/>\n<part name=\"TopRight\" rect=\"16,0,8,12\"/>\n"
                                "</parts>\n";
    Expect("<skin><windowSkins>\n" + strSkin + "<image path=\"frame.bmp\"/>\n<caption rect=\"8,1,0,11\" color=\"A0A0A0\"/>\n"
               "</windowSkin>\n" + strSkin + "<image path=\"white.bmp\"/>\n<caption point=\"8,6\"/>\n</windowSkin>\n" +
               strSkin + "<image path=\"frame.bmp\"/>\n<caption rect=\"8,1,0,11\" inactiveColor=\"808080\"/>\n"
               "</windowSkin></windowSkins></skin>",
           L"@:10:26: warning: the caption text is hard to read: contrast 1.51:1, below 3.0:1, of #A0A0A0 on the frame's "
           L"#808080 beneath it\n"
           L"@:12:1: warning: window skin for 'Main' replaces an earlier one: the one read last wins\n"
           L"@:20:1: warning: the caption text is hard to read: contrast 1.00:1, below 3.0:1, of #FFFFFF (color unset) on "
           L"the frame's #FFFFFF beneath it\n"
           L"@:22:1: warning: window skin for 'Main' replaces an earlier one: the one read last wins\n", 1);
}

TEST_F(SkinCheck, DuplicateMenusAndToolbarsAndButtonsWithoutImages)
{
    Expect("<skin>\n<resourceMap>\n<command id=\"ID_OPEN\" code=\"100\"/>\n</resourceMap>\n<watermarks>\n"
           "<watermark target=\"ID_OPEN\" path=\"logo.bmp\"/>\n<watermark target=\"ID_OPEN.HOVER\" path=\"logo.bmp\"/>\n"
           "</watermarks>\n<menus>\n<menu name=\"Main\"><item id=\"ID_OPEN\" text=\"Open\"/></menu>\n"
           "<menu name=\"Main\"><item id=\"ID_NONE\" text=\"None\"/><line/></menu>\n</menus>\n<toolbars>\n"
           "<toolbar name=\"Bar\"><button id=\"ID_OPEN\"/></toolbar>\n"
           "<toolbar name=\"Bar\"><button id=\"ID_OPEN\" text=\"Open\"/></toolbar>\n</toolbars>\n</skin>",
           L"@:11:1: warning: menu 'Main' replaces an earlier one of that name\n"
           L"@:11:25: error: id 'ID_NONE' is not a number and no earlier <resourceMap> names it: <item> is skipped\n"
           L"@:11:51: warning: unknown element <line> in <menu> is ignored\n"
           L"@:15:1: warning: toolbar 'Bar' replaces an earlier one of that name\n"
           L"@:15:21: warning: toolbar button 'ID_OPEN' has no watermark 'ID_OPEN.SELECT' for its select look\n", 2);
}

TEST_F(SkinCheck, FilesAreReportedInReadingOrder)
{
    m_folder.WriteFile(L"Definitions\\Definitions.xml", "<skin><base/></skin>");
    m_folder.WriteFile(L"first.xml", "<skin><first/></skin>");
    m_folder.WriteFile(L"second.xml", "<skin><second/></skin>");
    CString strOutput;
    EXPECT_EQ(1, Check({ L"first.xml", L"second.xml" }, strOutput));
    const CString& strFolder = m_folder.Path();
    EXPECT_EQ(Str(strFolder + L"Definitions\\Definitions.xml:1:7: warning: unknown section <base> is skipped\n" +
                  strFolder + L"second.xml:1:7: warning: unknown section <second> is skipped\n" +
                  strFolder + L"first.xml:1:7: warning: unknown section <first> is skipped\n"),
              Str(strOutput));

    EXPECT_EQ(2, Check({ L"absent.xml" }, strOutput));
    EXPECT_NE(-1, strOutput.Find(L"absent.xml: error: the file cannot be read")) << Str(strOutput);
    EXPECT_EQ(2, m_check.Run({}, strOutput));
    EXPECT_EQ(0, strOutput.Find(L"usage:"));
}

TEST_F(SkinCheck, ADarkSchemeLeavingMenuTextToTheSystemIsWarnedWithTheKeysPlaces)
{
    // The system's text colours, whatever they are here, against the scheme's dark backgrounds.
    const COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT), crMenuText = ::GetSysColor(COLOR_MENUTEXT);
    CString strExpected;
    strExpected.Format(L"@:3:1: warning: the control text is hard to read: contrast %.2f:1, below 4.5:1, of the "
                       L"system's colour #%02X%02X%02X (control.text unset) on dialog.back #20242C (at @:3:1)\n"
                       L"@:5:1: warning: the menu text is hard to read: contrast %.2f:1, below 4.5:1, of the system's "
                       L"colour #%02X%02X%02X (menu.text unset) on menu.back #2A2F3A (at @:5:1)\n",
                       ContrastRatio(crText, RGB(0x20, 0x24, 0x2C)), GetRValue(crText), GetGValue(crText),
                       GetBValue(crText), ContrastRatio(crMenuText, RGB(0x2A, 0x2F, 0x3A)),
                       GetRValue(crMenuText), GetGValue(crMenuText), GetBValue(crMenuText));
    // The dialog's and the hovered item's texts are set and readable: no report of them.
    Expect("<skin>\n<colourScheme>\n<colour name=\"dialog.back\" value=\"20242C\"/>\n"
           "<colour name=\"dialog.text\" value=\"E6EAF0\"/>\n<colour name=\"menu.back\" value=\"2A2F3A\"/>\n"
           "<colour name=\"menu.hover\" value=\"3E5F8A\"/>\n<colour name=\"menu.text.selected\" value=\"FFFFFF\"/>\n"
           "</colourScheme>\n</skin>",
           strExpected, 1);

    // The text's own key set too dark: the warning sits on it and names the background's place.
    Expect("<skin>\n<colourScheme>\n<colour name=\"menu.back\" value=\"2A2F3A\"/>\n"
           "  <colour name=\"menu.text\" value=\"5A6478\"/>\n</colourScheme>\n</skin>",
           L"@:4:3: warning: the menu text is hard to read: contrast 2.25:1, below 4.5:1, of menu.text #5A6478 (at @:4:3) "
           L"on menu.back #2A2F3A (at @:3:1)\n", 1);

    // A later entry repairs an earlier one; an emptied key goes back to the system's colour.
    Expect("<skin>\n<colourScheme>\n<colour name=\"menu.back\" value=\"2A2F3A\"/>\n"
           "<colour name=\"menu.text\" value=\"5A6478\"/>\n<colour name=\"menu.text\" value=\"E6EAF0\"/>\n"
           "<colour name=\"dialog.back\" value=\"\"/>\n</colourScheme>\n</skin>",
           L"", 0);
}

TEST_F(SkinCheck, ContrastTakesTheFallbackKeyAndKeysOfEveryFile)
{
    // The base definition's light dialog background against the skin's light text; the hovered
    // menu item falls back on system.text.selected.
    m_folder.WriteFile(L"Definitions\\Definitions.xml",
                       "<skin>\n<colourScheme>\n<colour name=\"dialog.back\" value=\"F0F0F0\"/>\n</colourScheme>\n</skin>");
    m_folder.WriteFile(L"skin.xml", "<skin>\n<colourScheme>\n<colour name=\"dialog.text\" value=\"C0C0C0\"/>\n"
                                    "<colour name=\"system.text.selected\" value=\"FFFFFF\"/>\n"
                                    "<colour name=\"menu.hover\" value=\"C8DDF6\"/>\n</colourScheme>\n</skin>");
    CString strOutput;
    EXPECT_EQ(1, Check({ L"skin.xml" }, strOutput));
    const CString strBase = m_folder.Path() + L"Definitions\\Definitions.xml";
    const CString strSkin = m_folder.Path() + L"skin.xml";
    EXPECT_EQ(Str(strSkin + L":3:1: warning: the dialog text is hard to read: contrast 1.60:1, below 4.5:1, of "
                  L"dialog.text #C0C0C0 (at " + strSkin + L":3:1) on dialog.back #F0F0F0 (at " + strBase + L":3:1)\n" +
                  strSkin + L":4:1: warning: the hovered menu item's text is hard to read: contrast 1.39:1, below "
                  L"4.5:1, of system.text.selected #FFFFFF (at " + strSkin + L":4:1) on menu.hover #C8DDF6 (at " +
                  strSkin + L":5:1)\n"),
              Str(strOutput));
}

TEST_F(SkinCheck, BundledSkinsAreClean)
{
    for (LPCWSTR pszSkin : { L"Definitions\\Aurora.xml", L"Definitions\\Ember.xml", L"Definitions\\Midnight.xml" })
    {
        CString strOutput;
        EXPECT_EQ(0, m_check.Run({ L"--app", KORVO_TESTS_DIR L"/../samples/gallery", L"Definitions\\English.xml",
                                   pszSkin }, strOutput)) << Str(strOutput);
        EXPECT_EQ(L"", Str(strOutput));
    }
}

// The XML tests' documents and bounded mutations of them: every one is checked and reported on
// without a crash, each report a line of the file's own.
TEST_F(SkinCheck, MalformedDocumentsNeverStopTheChecker)
{
    std::vector<std::string> corpus(g_xmlFailingDocuments.begin(), g_xmlFailingDocuments.end());
    for (const XmlValueCase& test : g_xmlValueCases)
        corpus.push_back(test.pszDocument);
    const std::string strSkin =
        "<skin><resourceMap><command id='A' code='7'/></resourceMap><colourScheme><colour name='menu.back' "
        "value='00FF00'/></colourScheme><windowSkins><windowSkin><target window='W'/><image path='frame.bmp'/>"
        "<parts><part name='Top' rect='0,0,8,8'/></parts><region><shape type='roundRect' size='4,4'/></region>"
        "</windowSkin></windowSkins><menus><menu name='M'><item id='A' text='a'/></menu></menus>"
        "<toolbars><toolbar name='T'><button id='A'/></toolbar></toolbars></skin>";
    UINT32 nState = 0x536B6E43;
    auto Next = [&nState](size_t nLimit) {
        nState ^= nState << 13;
        nState ^= nState >> 17;
        nState ^= nState << 5;
        return nLimit ? nState % nLimit : 0;
    };
    for (int n = 0; n < 150; n++)
    {
        std::string strDoc = strSkin;
        for (int nEdit = 0; nEdit < 3; nEdit++)
        {
            size_t nPos = Next(strDoc.size());
            if (Next(2))
                strDoc.erase(nPos, Next(8) + 1);
            else
                strDoc.insert(nPos, 1, "<>/='\"&x#;"[Next(10)]);
        }
        corpus.push_back(strDoc);
    }
    const CString strPath = m_folder.Path() + L"skin.xml";
    for (const std::string& strDoc : corpus)
    {
        m_folder.WriteFile(L"skin.xml", strDoc);
        CString strOutput;
        int nStatus = Check({ L"skin.xml" }, strOutput);
        EXPECT_TRUE(nStatus >= 0 && nStatus <= 2) << strDoc;
        for (int nStart = 0; nStart < strOutput.GetLength();)
        {
            int nEnd = strOutput.Find(L'\n', nStart);
            ASSERT_GT(nEnd, nStart) << strDoc;
            EXPECT_EQ(0, strOutput.Mid(nStart, nEnd - nStart).Find(strPath)) << strDoc;
            nStart = nEnd + 1;
        }
        if (HasFailure())
            break;
    }
}

TEST_F(SkinCheck, PngImagesLoadHostileOnesAreErrorsAndGridsMustLeaveAMiddle)
{
    auto grey = [](int, int, BYTE&) { return RGB(128, 128, 128); };
    std::vector<BYTE> png = PictureFiles::MakePng(32, 16, grey);
    m_folder.WriteFile(L"frame.png", png.data(), png.size());
    std::vector<BYTE> alpha = PictureFiles::MakePng(16, 16, grey);
    m_folder.WriteFile(L"alpha.png", alpha.data(), alpha.size());
    m_folder.WriteFile(L"truncated.png", png.data(), png.size() / 2);
    // 65536 x 65536 declared by a file of a few dozen bytes.
    std::vector<BYTE> bomb = PictureFiles::MakePng(1, 1, grey);
    bomb[17] = bomb[21] = 1;
    m_folder.WriteFile(L"bomb.png", bomb.data(), bomb.size());
    Expect("<skin>\n<windowSkins>\n<windowSkin>\n<target window=\"A\"/>\n<image path=\"frame.png\"/>\n"
           "<image type=\"alpha\" path=\"alpha.png\"/>\n<parts>\n<part name=\"Top\" rect=\"0,0,10,10\" grid=\"2,0,2,0\"/>\n"
           "<part name=\"Left\" rect=\"0,0,4,10\" grid=\"0,5,0,5\"/>\n<part name=\"Bottom\" rect=\"0,0,10,4\" grid=\"1,x\"/>\n"
           "</parts>\n</windowSkin>\n"
           "<windowSkin>\n<target window=\"B\"/>\n<image path=\"truncated.png\"/>\n</windowSkin>\n"
           "<windowSkin>\n<target window=\"C\"/>\n<image path=\"bomb.png\"/>\n</windowSkin>\n"
           "</windowSkins>\n</skin>",
           L"@:3:1: warning: the alpha image is 16x16, not the main image's 32x16: the frame is drawn opaque\n"
           L"@:9:35: error: grid '0,5,0,5' leaves nothing of the 4x10 part between its margins: the part has no grid\n"
           L"@:10:37: error: grid '1,x' is not four numbers from 0 to 32767: the part has no grid\n"
           L"@:15:8: error: image 'truncated.png' is a truncated PNG: the window skin is discarded\n"
           L"@:19:8: error: image 'bomb.png' declares 65537x65537 pixels, more than the skin's images may hold together: "
           L"the window skin is discarded\n", 2);
}

TEST_F(SkinCheck, VariantsOfTheWrongSizeAreErrorsAndEachScaleListsTheImagesWithoutOne)
{
    std::vector<BYTE> twice = MakeBitmapFile(64, 32, Grey, NULL), wrong = MakeBitmapFile(40, 24, Grey, NULL);
    m_folder.WriteFile(L"frame@2x.bmp", twice.data(), twice.size());
    m_folder.WriteFile(L"frame@1.5x.bmp", wrong.data(), wrong.size());
    m_folder.WriteFile(L"fake.png", std::string("not a picture at all"));
    m_folder.WriteFile(L"logo@3x.bmp", twice.data(), twice.size());
    m_folder.WriteFile(L"skin.xml", "<skin>\n<windowSkins>\n"
                                    "<windowSkin>\n<target window=\"A\"/>\n<image path=\"frame.bmp\"/>\n</windowSkin>\n"
                                    "<windowSkin>\n<target window=\"B\"/>\n<image path=\"logo.bmp\"/>\n</windowSkin>\n"
                                    "<windowSkin>\n<target window=\"C\"/>\n<image path=\"fake.png\"/>\n</windowSkin>\n"
                                    "</windowSkins>\n</skin>");
    CString strOutput;
    EXPECT_EQ(2, Check({ L"skin.xml" }, strOutput));
    const CString strSkin = m_folder.Path() + L"skin.xml", strFolder = m_folder.Path();
    EXPECT_EQ(Str(strSkin +
                  L":13:8: error: image 'fake.png' is not a PNG file, whatever its name says: the window skin is discarded\n" +
                  strFolder + L"frame@1.5x.bmp: error: variant 'frame@1.5x.bmp' is 40x24, not 48x24 (1.5x 'frame.bmp', "
                              L"32x16): it is not used\n" +
                  strFolder + L"logo@3x.bmp: error: variant 'logo@3x.bmp' names a scale other than 1.5x and 2x: it is not used\n" +
                  strFolder + L": note: 1 image has no 1.5x variant or larger (at 144 DPI it is enlarged): logo.bmp\n" +
                  strFolder + L": note: 1 image has no 2x variant or larger (at 192 DPI it is enlarged): logo.bmp\n"),
              Str(strOutput));

    // Without any variant file the skin is as clean as it was.
    for (LPCWSTR pszName : { L"frame@2x.bmp", L"frame@1.5x.bmp", L"logo@3x.bmp" })
        ::DeleteFileW(m_folder.Path() + pszName);
    Expect("<skin>\n<windowSkins>\n<windowSkin>\n<target window=\"A\"/>\n<image path=\"frame.bmp\"/>\n</windowSkin>\n"
           "</windowSkins>\n</skin>",
           L"", 0);
}
