// Garbage messages for the messages part: every message the library's windows handle (and those
// their framework and the platform hand them), with numbers a forger would pick, posted or sent.
#pragma once
#include "SoakSupport.h"
#include "KorvoTest.h"
#include <vector>

namespace Soak
{

class CMessageFirer
{
public:
    // bOtherProcess: the windows belong to another process, which can read no structure of
    // this one's the platform does not carry over.
    CMessageFirer(unsigned nSeed, bool bOtherProcess);

    // One message to the window, posted or sent; FALSE when the window is gone.
    BOOL Fire(HWND hWnd);

    unsigned m_nPosted = 0;
    unsigned m_nSent = 0;

    // How a message's parameters are made.
    enum PARAMETERS
    {
        NUMBERS,   // any numbers
        STRUCTURE, // lParam points at a structure the platform carries between processes
        PRIVATE,   // lParam points at a structure no other process can read: sent in-process only
        TEXT,      // lParam is a string
    };
    struct MESSAGE
    {
        UINT nMessage;
        PARAMETERS parameters;
    };

private:
    // Parameters that would only test the platform, made harmless.
    void Shape(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    // A structure of garbage for a message whose lParam points at one.
    void* Structure(UINT nMessage);

    CRandom m_random;
    bool m_bOtherProcess;
    std::vector<MESSAGE> m_messages;
    // Garbage structures, their pointers aimed at more garbage of this process.
    struct BLOCK
    {
        alignas(16) BYTE bytes[1024];
    };
    BLOCK m_blocks[2];
    KorvoTest::CPixelCanvas m_canvas{ 32, 32 };
};

} // namespace Soak
