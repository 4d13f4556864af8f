// The first host's application object: the library is set up before the main window and taken
// down after it, on the one thread that runs the window.
#pragma once
#include <KorvoSkin.h>

class CFirstHostApp : public CWinApp
{
public:
    CFirstHostApp();
    BOOL InitInstance() override;
    int ExitInstance() override;
};
