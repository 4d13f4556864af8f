#include <KorvoSkin/CImageStatic.h>
#include "CImageAnimation.h"
#include <new>
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CImageStatic, CStatic)

BEGIN_MESSAGE_MAP(CImageStatic, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CImageStatic::CImageStatic() : m_pAnimation(new (std::nothrow) CImageAnimation(*this))
{
}

CImageStatic::~CImageStatic()
{
    // A thread left running would go on drawing through this object after it is gone.
    Destroy();
}

bool CImageStatic::Load(CString strPath)
{
    if (strPath.IsEmpty() || !m_pAnimation)
        return false;
    return m_pAnimation->Load(strPath);
}

void CImageStatic::Draw()
{
    if (m_pAnimation)
        m_pAnimation->Draw();
}

bool CImageStatic::InitAnimation()
{
    return m_pAnimation && m_pAnimation->InitAnimation();
}

void CImageStatic::SetPause(bool bPause)
{
    if (m_pAnimation)
        m_pAnimation->SetPause(bPause);
}

bool CImageStatic::IsPaused() const
{
    return m_pAnimation && m_pAnimation->IsPaused();
}

UINT CImageStatic::GetFrameCount() const
{
    return m_pAnimation ? m_pAnimation->GetFrameCount() : 0;
}

void CImageStatic::Destroy()
{
    if (m_pAnimation)
        m_pAnimation->Destroy();
}

void CImageStatic::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pAnimation || !m_pAnimation->IsLoaded())
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        dc.FillSolidRect(&rcClient, RGB(255, 255, 255));
        return;
    }
    Draw();
}

void CImageStatic::OnDestroy()
{
    CStatic::OnDestroy();
    Destroy();
}

LRESULT CImageStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeGraphic(query, false);
        if (IsAnimatedGIF() && !IsPaused())
            query.nState |= STATE_SYSTEM_ANIMATED;
    });
    return lResult ? lResult : Default();
}
