// KorvoSkin: the one header a host includes.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/SkinApi.h>
#include <KorvoSkin/CSkinDialog.h>
#include <KorvoSkin/CSkinChildDialog.h>
#include <KorvoSkin/CSkinSliderCtrl.h>
#include <KorvoSkin/CSkinCheckBox.h>
#include <KorvoSkin/CSkinComboBox.h>
#include <KorvoSkin/CEffectButton.h>
#include <KorvoSkin/CEffectStatic.h>
#include <KorvoSkin/CIconButton.h>
#include <KorvoSkin/CImageStatic.h>
#include <KorvoSkin/CGroupHeadPhoto.h>
#include <KorvoSkin/CUserHeadPhoto.h>
#include <KorvoSkin/CCoolBarCtrl.h>
#include <KorvoSkin/CCoolMenuBarCtrl.h>
