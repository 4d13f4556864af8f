// KorvoSkin: the one header a host includes.
#pragma once
#include <afxwin.h>
#include <api/SkinApi.h>
#include <windowskin/CSkinDialog.h>
#include <windowskin/CSkinChildDialog.h>
#include <KorvoSkin/CCoolBarCtrl.h>
#include <KorvoSkin/CCoolMenuBarCtrl.h>
