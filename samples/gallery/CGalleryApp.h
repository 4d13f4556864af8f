#pragma once
#include <KorvoSkin.h>

// The gallery host: loads the bundled skin and shows what it declares.
class CGalleryApp : public CWinApp
{
public:
    CGalleryApp();
    BOOL InitInstance() override;
    int ExitInstance() override;
};
