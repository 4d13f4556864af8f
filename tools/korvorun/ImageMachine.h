// What a program file's header says about the machine it runs on.
#pragma once
#include <windows.h>
#include <string>

// The IMAGE_FILE_MACHINE_ of the Windows executable at strPath; 0 when the file cannot be read or
// is not one.
WORD ImageMachine(const std::wstring& strPath);
