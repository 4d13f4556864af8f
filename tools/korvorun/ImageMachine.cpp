#include "ImageMachine.h"

namespace
{

// A handle that closes itself.
struct CFile
{
    HANDLE h;
    explicit CFile(HANDLE hFile) : h(hFile) {}
    ~CFile()
    {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
};

bool ReadAt(HANDLE hFile, LONG nOffset, void* pBuffer, DWORD nSize)
{
    DWORD nRead = 0;
    return ::SetFilePointer(hFile, nOffset, NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ::ReadFile(hFile, pBuffer, nSize, &nRead, NULL) && nRead == nSize;
}

} // namespace

WORD ImageMachine(const std::wstring& strPath)
{
    CFile file(::CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             NULL, OPEN_EXISTING, 0, NULL));
    if (file.h == INVALID_HANDLE_VALUE)
        return 0;
    IMAGE_DOS_HEADER dos = {};
    if (!ReadAt(file.h, 0, &dos, sizeof(dos)) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0 ||
        dos.e_lfanew > 0x10000000)
        return 0;
    struct
    {
        DWORD dwSignature;
        IMAGE_FILE_HEADER file;
    } nt = {};
    if (!ReadAt(file.h, dos.e_lfanew, &nt, sizeof(nt)) || nt.dwSignature != IMAGE_NT_SIGNATURE)
        return 0;
    // A DLL is not a program.
    if (nt.file.Characteristics & IMAGE_FILE_DLL)
        return 0;
    return nt.file.Machine;
}
