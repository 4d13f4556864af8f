// Export macro of the library's host API: the exported functions and the host classes. Only
// those carry it; everything else in the library is internal to KorvoSkin.dll.
#pragma once

#if defined(KORVOSKIN_BUILD)
#define KORVOSKIN_API __declspec(dllexport)
#elif defined(KORVOSKIN_STATIC)
#define KORVOSKIN_API
#else
#define KORVOSKIN_API __declspec(dllimport)
#endif
