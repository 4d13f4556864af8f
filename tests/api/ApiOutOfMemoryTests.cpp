// Memory running out in the middle of a skin load: the framework's allocator throws
// std::bad_alloc, and the exported functions must turn that into their failure result. The
// program's (which the library is linked into) and the framework's imports of the allocator are pointed at one that fails the n-th
// request, for every n that a small load reaches.
#include "KorvoTest.h"
#include <api/Globals.h>
#include <KorvoSkin/SkinApi.h>
#include <gtest/gtest.h>
#include <new>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace
{

// Requests left before the failing one; negative when nothing fails.
long g_nRequestsLeft = -1;
bool g_bFailed = false;

bool FailNow()
{
    if (g_nRequestsLeft < 0 || g_nRequestsLeft-- > 0)
        return false;
    g_bFailed = true;
    return true;
}

void* FailingNew(size_t nSize)
{
    if (FailNow())
        throw std::bad_alloc();
    // The runtime's operator new takes its memory from malloc too; calling it here would come
    // back through the patched import of this very program.
    if (void* p = malloc(nSize ? nSize : 1))
        return p;
    throw std::bad_alloc();
}

void* FailingMalloc(size_t nSize)
{
    return FailNow() ? NULL : malloc(nSize);
}

// Points a module's import of a named function at pfnNew; returns the old target, or null.
void* PatchImport(HMODULE hModule, const char* pszName, void* pfnNew)
{
    BYTE* pBase = (BYTE*)hModule;
    IMAGE_NT_HEADERS* pNt = (IMAGE_NT_HEADERS*)(pBase + ((IMAGE_DOS_HEADER*)pBase)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR* pImport = (IMAGE_IMPORT_DESCRIPTOR*)(pBase + dir.VirtualAddress); pImport->Name; pImport++)
    {
        IMAGE_THUNK_DATA* pNames = (IMAGE_THUNK_DATA*)(pBase + pImport->OriginalFirstThunk);
        IMAGE_THUNK_DATA* pTargets = (IMAGE_THUNK_DATA*)(pBase + pImport->FirstThunk);
        for (; pNames->u1.AddressOfData; pNames++, pTargets++)
        {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* pByName = (IMAGE_IMPORT_BY_NAME*)(pBase + pNames->u1.AddressOfData);
            if (strcmp((const char*)pByName->Name, pszName) != 0)
                continue;
            DWORD dwOld;
            ::VirtualProtect(&pTargets->u1.Function, sizeof(void*), PAGE_READWRITE, &dwOld);
            void* pfnOld = (void*)pTargets->u1.Function;
            pTargets->u1.Function = (ULONG_PTR)pfnNew;
            ::VirtualProtect(&pTargets->u1.Function, sizeof(void*), dwOld, &dwOld);
            return pfnOld;
        }
    }
    return NULL;
}

// The mangled name of operator new(size_t) at this pointer size.
const char* const OPERATOR_NEW = sizeof(size_t) == 8 ? "_Znwy" : "_Znwj";

// Routes both libraries' allocations through the failing allocator while it lives.
class CFailingAllocator
{
public:
    CFailingAllocator()
    {
        // The library is linked into this program; the framework's block allocator takes its
        // chunks from malloc.
        Patch(::GetModuleHandleW(NULL), OPERATOR_NEW, (void*)FailingNew);
        Patch(::GetModuleHandleW(L"KorvoAfx.dll"), OPERATOR_NEW, (void*)FailingNew);
        Patch(::GetModuleHandleW(L"KorvoAfx.dll"), "malloc", (void*)FailingMalloc);
    }
    ~CFailingAllocator()
    {
        for (const PATCH& patch : m_patches)
            PatchImport(patch.hModule, patch.pszName, patch.pfnOld);
    }
    size_t PatchCount() const { return m_patches.size(); }

private:
    struct PATCH
    {
        HMODULE hModule;
        const char* pszName;
        void* pfnOld;
    };

    void Patch(HMODULE hModule, const char* pszName, void* pfnNew)
    {
        if (void* pfnOld = hModule ? PatchImport(hModule, pszName, pfnNew) : NULL)
            m_patches.push_back({ hModule, pszName, pfnOld });
    }

    std::vector<PATCH> m_patches;
};

} // namespace

TEST(OutOfMemory, AFailedAllocationAnywhereInALoadIsAFailureResultNeverAnException)
{
    KorvoTest::CTempFolder folder;
    CString strSavedAppFolder = g_strAppFolder;
    g_strAppFolder = folder.Path();
    std::vector<BYTE> bitmap = KorvoTest::MakeBitmapFile(4, 4, [](int, int, void*) { return RGB(1, 2, 3); }, NULL);
    folder.WriteFile(L"Definitions\\mark.bmp", bitmap.data(), bitmap.size());
    std::string strSections;
    for (int n = 0; n < 40; n++)
        strSections += "<string id=\"" + std::to_string(n + 1) + "\" value=\"value\\n" + std::to_string(n) + "\"/>";
    folder.WriteFile(L"Definitions\\Definitions.xml", "<skin><resourceMap><command id=\"ID_A\" code=\"9\"/></resourceMap>"
        "<strings>" + strSections + "<tip id=\"ID_A\" message=\"a\" tip=\"b\"/></strings>"
        "<watermarks><watermark target=\"W1\" path=\"mark.bmp\"/><watermark target=\"W2\" path=\"mark.bmp\"/></watermarks>"
        "<menus><menu name=\"M\"><item id=\"ID_A\" text=\"_A\"/></menu></menus></skin>");
    ASSERT_TRUE(InitSkin());
    ASSERT_TRUE(LoadSkin(L"", L""));
    ASSERT_EQ(CString(L"value\n39"), GetSkinString(40));

    int nFailures = 0;
    int nFailedLoads = 0;
    {
        CFailingAllocator allocator;
        ASSERT_GE(allocator.PatchCount(), 2u) << "the program and the framework import the allocator";
        for (long nRequest = 0; nRequest < 20000; nRequest++)
        {
            g_bFailed = false;
            g_nRequestsLeft = nRequest;
            bool bLoaded = LoadSkin(L"", L"");
            CString strValue = GetSkinString(40);
            g_nRequestsLeft = -1;
            if (!g_bFailed)
                break;
            nFailures++;
            if (!bLoaded)
            {
                nFailedLoads++;
                EXPECT_EQ(nullptr, GetSkinWatermark(L"W1")) << "nothing of a load that failed stays";
            }
        }
    }
    EXPECT_GT(nFailures, 10) << "the load should need many allocations";
    EXPECT_GT(nFailedLoads, 0) << "some failures happen where only the load itself can report them";

    // Nothing was left broken: the same load succeeds completely.
    EXPECT_TRUE(LoadSkin(L"", L""));
    EXPECT_EQ(CString(L"value\n39"), GetSkinString(40));
    EXPECT_EQ(CString(L"a\nb"), GetSkinString(9));
    EXPECT_NE(nullptr, GetSkinWatermark(L"W2"));
    EXPECT_NE(nullptr, GetSkinMenu(L"M"));
    EXPECT_TRUE(UnInitSkin());
    g_strAppFolder = strSavedAppFolder;
}
