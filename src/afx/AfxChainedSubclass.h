// Wrappers attached through comctl32's subclass chain (CWnd::SubclassWindowChained).
#pragma once
#include "AfxDefs.h"

// How many messages of windows attached by SubclassWindowChained this thread is answering now:
// while any is, a wrapper's member function may be on the stack.
AFX_API int AfxChainedMessageDepth();
