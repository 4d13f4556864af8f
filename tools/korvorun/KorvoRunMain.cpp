// korvorun: runs a program built without the library with its windows skinned, for a skin author
// to try a skin on any program of the same pointer size:
//     korvorun --skin <definition> [--second <definition>] program.exe [arguments]
// The program starts suspended; KorvoSkin.dll, beside korvorun, is loaded into it and its agent
// started (korvoskin.h, KorvoSkin_RunAgent); then the program runs and korvorun ends with its
// exit code. Definitions come from korvorun's folder: Definitions\Definitions.xml, and the skin
// by path or by the name of a bundled one (Definitions\Midnight.xml is "Midnight").
#include "CSuspendedProgram.h"
#include "ImageMachine.h"
#include <korvoskin.h>
#include <shellapi.h>
#include <stdio.h>
#include <vector>

namespace
{

// What korvorun itself ends with when the program did not run (docs/host-guide.md).
enum EXIT_CODE
{
    EXIT_USAGE = 100,
    EXIT_NO_PROGRAM = 101,
    EXIT_NO_SKIN = 102,
    EXIT_WRONG_MACHINE = 103,
    EXIT_NOT_STARTED = 104,
    EXIT_NOT_SKINNED = 105,
    EXIT_INSTALLATION = 106,
};

#ifdef _WIN64
const WORD OWN_MACHINE = IMAGE_FILE_MACHINE_AMD64;
const wchar_t* const OWN_BITS = L"64";
#else
const WORD OWN_MACHINE = IMAGE_FILE_MACHINE_I386;
const wchar_t* const OWN_BITS = L"32";
#endif

int Fail(int nCode, const std::wstring& strMessage)
{
    fwprintf(stderr, L"korvorun: %ls\n", strMessage.c_str());
    fflush(stderr);
    return nCode;
}

bool IsFile(const std::wstring& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributesW(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasFolder(const std::wstring& strName)
{
    return strName.find_first_of(L"\\/:") != std::wstring::npos;
}

std::wstring FullPath(const std::wstring& strName)
{
    wchar_t szPath[MAX_PATH * 4];
    const DWORD nLength = ::GetFullPathNameW(strName.c_str(), MAX_PATH * 4, szPath, NULL);
    return nLength && nLength < MAX_PATH * 4 ? std::wstring(szPath, nLength) : std::wstring();
}

// korvorun's own folder, with its trailing backslash.
std::wstring OwnFolder()
{
    wchar_t szPath[MAX_PATH * 4];
    const DWORD nLength = ::GetModuleFileNameW(NULL, szPath, MAX_PATH * 4);
    if (!nLength || nLength >= MAX_PATH * 4)
        return std::wstring();
    std::wstring strPath(szPath, nLength);
    return strPath.substr(0, strPath.find_last_of(L'\\') + 1);
}

// A definition named by a path (absolute or from the current folder), else a bundled one by its
// name with or without .xml; empty when there is none.
std::wstring FindDefinition(const std::wstring& strName, const std::wstring& strBase)
{
    const std::wstring strFull = FullPath(strName);
    if (!strFull.empty() && IsFile(strFull))
        return strFull;
    if (HasFolder(strName))
        return std::wstring();
    for (const std::wstring& strBundled : { strBase + L"Definitions\\" + strName, strBase + L"Definitions\\" + strName + L".xml" })
        if (IsFile(strBundled))
            return strBundled;
    return std::wstring();
}

// The program by its path, with or without .exe, else by its name on the PATH.
std::wstring FindProgram(const std::wstring& strName)
{
    for (const std::wstring& strFull : { FullPath(strName), FullPath(strName + L".exe") })
        if (!strFull.empty() && IsFile(strFull))
            return strFull;
    if (HasFolder(strName))
        return std::wstring();
    std::vector<wchar_t> path(::GetEnvironmentVariableW(L"PATH", NULL, 0) + 1);
    ::GetEnvironmentVariableW(L"PATH", path.data(), (DWORD)path.size());
    wchar_t szFound[MAX_PATH * 4];
    const DWORD nLength = ::SearchPathW(path.data(), strName.c_str(), L".exe", MAX_PATH * 4, szFound, NULL);
    return nLength && nLength < MAX_PATH * 4 && IsFile(szFound) ? std::wstring(szFound, nLength) : std::wstring();
}

// One argument quoted so that the program's own parsing gives it back unchanged.
std::wstring Quote(const std::wstring& strArgument)
{
    if (!strArgument.empty() && strArgument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return strArgument;
    std::wstring strQuoted = L"\"";
    size_t nBackslashes = 0;
    for (wchar_t ch : strArgument)
    {
        if (ch == L'\\')
        {
            nBackslashes++;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        strQuoted.append(ch == L'"' ? nBackslashes * 2 + 1 : nBackslashes, L'\\');
        nBackslashes = 0;
        strQuoted += ch;
    }
    strQuoted.append(nBackslashes * 2, L'\\');
    return strQuoted + L"\"";
}

bool CopyString(wchar_t (&dest)[KORVOSKIN_RUN_PATH], const std::wstring& strValue)
{
    if (strValue.size() >= KORVOSKIN_RUN_PATH)
        return false;
    strValue.copy(dest, strValue.size());
    dest[strValue.size()] = 0;
    return true;
}

const wchar_t USAGE[] = L"usage: korvorun --skin <definition> [--second <definition>] program.exe [arguments]\n"
                        L"  a definition is a file's path or the name of a skin in korvorun's Definitions folder";

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring strSkin, strSecond;
    int nArg = 1;
    for (; nArg < argc && argv[nArg][0] == L'-'; nArg++)
    {
        const std::wstring strOption = argv[nArg];
        if (strOption == L"--help" || strOption == L"-h" || strOption == L"/?")
        {
            fwprintf(stdout, L"%ls\n", USAGE);
            return 0;
        }
        if (nArg + 1 >= argc || (strOption != L"--skin" && strOption != L"--second"))
            return Fail(EXIT_USAGE, L"unknown option or missing value: " + strOption + L"\n" + USAGE);
        (strOption == L"--skin" ? strSkin : strSecond) = argv[++nArg];
    }
    if (strSkin.empty() || nArg >= argc)
        return Fail(EXIT_USAGE, USAGE);

    const std::wstring strBase = OwnFolder();
    const std::wstring strLibrary = strBase + L"KorvoSkin.dll";
    if (strBase.empty() || !IsFile(strLibrary) || !IsFile(strBase + L"Definitions\\Definitions.xml"))
        return Fail(EXIT_INSTALLATION, L"KorvoSkin.dll and Definitions\\Definitions.xml must be beside korvorun.exe in " + strBase);

    KORVOSKIN_RUN_CONFIG config = {};
    config.cbSize = sizeof(config);
    const std::wstring strSkinPath = FindDefinition(strSkin, strBase);
    if (strSkinPath.empty())
        return Fail(EXIT_NO_SKIN, L"no skin definition " + strSkin + L" (a file, or a name in " + strBase + L"Definitions)");
    const std::wstring strSecondPath = strSecond.empty() ? std::wstring() : FindDefinition(strSecond, strBase);
    if (!strSecond.empty() && strSecondPath.empty())
        return Fail(EXIT_NO_SKIN, L"no definition " + strSecond + L" (a file, or a name in " + strBase + L"Definitions)");
    if (!CopyString(config.baseFolder, strBase) || !CopyString(config.first, strSkinPath) ||
        !CopyString(config.second, strSecondPath))
        return Fail(EXIT_USAGE, L"a path is too long");

    const std::wstring strProgram = FindProgram(argv[nArg]);
    if (strProgram.empty())
        return Fail(EXIT_NO_PROGRAM, L"no program " + std::wstring(argv[nArg]));
    const WORD wMachine = ImageMachine(strProgram);
    if (wMachine == 0)
        return Fail(EXIT_NOT_STARTED, strProgram + L" is not a Windows program");
    if (wMachine != OWN_MACHINE)
    {
        const wchar_t* pszBits = wMachine == IMAGE_FILE_MACHINE_I386 ? L"a 32-bit" : wMachine == IMAGE_FILE_MACHINE_AMD64 ? L"a 64-bit" : L"another machine's";
        return Fail(EXIT_WRONG_MACHINE, strProgram + L" is " + pszBits + L" program; this korvorun runs " + OWN_BITS +
                                            L"-bit programs: use the korvorun of the program's size");
    }

    std::wstring strCommandLine = Quote(argv[nArg]);
    for (int n = nArg + 1; n < argc; n++)
        strCommandLine += L" " + Quote(argv[n]);
    CSuspendedProgram program;
    if (!program.Start(strProgram, strCommandLine))
        return Fail(EXIT_NOT_STARTED, strProgram + L" does not start (error " + std::to_wstring(::GetLastError()) + L")");
    std::wstring strError;
    DWORD dwAgent = 0;
    if (!program.LoadLibrary(strLibrary, strError) ||
        !program.CallExport("KorvoSkin_RunAgent", &config, sizeof(config), dwAgent, strError))
        return Fail(EXIT_NOT_SKINNED, strError + L"; the program was stopped");
    if (dwAgent != KORVOSKIN_OK)
        return Fail(EXIT_NOT_SKINNED, std::wstring(L"the library's agent did not start in the program (code ") + std::to_wstring((int)dwAgent) + L"); the program was stopped");
    return (int)program.RunToEnd();
}
