#pragma once
#include "../xml/KorvoDefs.h"

// The folder part of an executable's path, with its trailing backslash; empty when the path
// holds no backslash.
KORVOSKIN_API CString AppFolderFromPath(const CString& strPath);
