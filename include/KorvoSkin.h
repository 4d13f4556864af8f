// KorvoSkin: the one header a host includes.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/SkinApi.h>
#include <KorvoSkin/CSkinDialog.h>
#include <KorvoSkin/CSkinChildDialog.h>
