#pragma once
#include <KorvoSkin.h>

// The gallery host: loads one of the bundled skins and shows what a skin can do.
class CGalleryApp : public CWinApp
{
public:
    CGalleryApp();
    BOOL InitInstance() override;
    int ExitInstance() override;
};
