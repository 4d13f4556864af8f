// Whether the library's GDI+ session is open. InitSkin opens it and UnInitSkin closes it; the
// picture controls decode nothing outside it, as some GDI+ builds would crash there and others
// would quietly work.
#pragma once

void SetGdiplusRunning(bool bRunning);
bool IsGdiplusRunning();
