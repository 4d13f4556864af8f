// Fills a bar from a toolbar the skin declares: one button per button of the template, with the
// template's command, image name, size, tooltip and visibility, and the template's alignment.
#pragma once
#include <KorvoSkin/CCoolBarCtrl.h>
#include "../skin/CSkinToolbarTemplate.h"
#include "CCoolBarTheme.h"

class CCoolBarTemplateFill
{
public:
    // Empties the bar and hides the controls the host placed on it (they belong to its previous
    // content), then adds pTemplate's buttons with their images from lookup, of the skin load
    // nGeneration. FALSE, the bar left empty, for a null template.
    static bool Fill(CCoolBarCtrl& bar, const CSkinToolbarTemplate* pTemplate,
                     const CCoolBarTheme::WatermarkLookup& lookup, unsigned nGeneration);
};
