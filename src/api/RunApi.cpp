// The entry korvorun starts in the program it skins (korvoskin.h).
#include <korvoskin.h>
#include "CRunAgent.h"
#include "RunApi.h"
#include <cstring>

namespace
{
CRunAgent g_runAgent;
}

extern "C" DWORD WINAPI KorvoSkin_RunAgent(void* config)
{
    if (!config || ((const KORVOSKIN_RUN_CONFIG*)config)->cbSize != sizeof(KORVOSKIN_RUN_CONFIG))
        return (DWORD)KORVOSKIN_E_BAD_ARGUMENT;
    try
    {
        // Copied first: korvorun frees its copy once this thread ends.
        KORVOSKIN_RUN_CONFIG copy;
        memcpy(&copy, config, sizeof(copy));
        return (DWORD)g_runAgent.Start(copy);
    }
    catch (...)
    {
        return (DWORD)KORVOSKIN_E_OUT_OF_RESOURCES;
    }
}

void RunAgentThreadStarted()
{
    g_runAgent.OnThreadStarted();
}

void RunAgentThreadEnding()
{
    g_runAgent.OnThreadEnding();
}
