#pragma once
#include <windows.h>

// Numbers read from file headers, whatever the byte order of the machine: image and icon files
// store theirs little-endian, PNG and JPEG big-endian.
namespace ByteOrder
{
inline UINT Le16(const BYTE* p)
{
    return (UINT)p[0] | (UINT)p[1] << 8;
}

inline UINT Le32(const BYTE* p)
{
    return (UINT)p[0] | (UINT)p[1] << 8 | (UINT)p[2] << 16 | (UINT)p[3] << 24;
}

inline UINT Be16(const BYTE* p)
{
    return (UINT)p[0] << 8 | (UINT)p[1];
}

inline UINT Be32(const BYTE* p)
{
    return (UINT)p[0] << 24 | (UINT)p[1] << 16 | (UINT)p[2] << 8 | (UINT)p[3];
}
} // namespace ByteOrder
