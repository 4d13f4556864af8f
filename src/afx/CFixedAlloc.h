// Small blocks in a few fixed sizes for the framework's strings and containers, shared by every
// module through this DLL. Freed blocks stay with their size for the next request, as MFC's
// fixed allocators keep theirs: a large tree of strings and nodes that is built and dropped
// reuses memory that is already committed, where the heap would give the pages back and fault
// them in again. What is kept never exceeds the most that was in use at once.
#pragma once
#include "AfxDefs.h"

class AFX_API CFixedAlloc
{
public:
    // Sizes above the largest class come from the heap. Throws std::bad_alloc on exhaustion.
    static void* Alloc(size_t nSize);
    // nSize must be the size that Alloc was given for p; null is ignored.
    static void Free(void* p, size_t nSize) noexcept;
};
