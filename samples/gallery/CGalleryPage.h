#pragma once
#include <KorvoSkin.h>
#include "resource.h"

// The page embedded in the gallery: a child dialog in the skin's dialog colour.
class CGalleryPage : public CSkinChildDialog
{
public:
    CGalleryPage() : CSkinChildDialog(IDD_PAGE) {}
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};
