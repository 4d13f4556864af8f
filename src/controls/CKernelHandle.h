// An owned kernel handle (thread, event): closed when its owner is reset or goes.
#pragma once
#include <windows.h>
#include <memory>
#include <type_traits>

struct CKernelHandleCloser
{
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};

using CKernelHandle = std::unique_ptr<std::remove_pointer<HANDLE>::type, CKernelHandleCloser>;
