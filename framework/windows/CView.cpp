#include "CView.h"

#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"

IMPLEMENT_DYNCREATE(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_SETFOCUS()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

int CView::OnCreate(LPCREATESTRUCT cs) {
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (context && context->m_pCurrentDoc) {
    context->m_pCurrentDoc->AddView(this);
  }
  return static_cast<int>(Default());
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) {
    frame->SetActiveView(nullptr);
  }
  if (m_pDocument) {
    m_pDocument->RemoveView(this);
  }
  Default();
}

void CView::PostNcDestroy() {
  delete this;
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnDraw(&dc);
}

void CView::OnSetFocus(CWnd*) {
  if (CFrameWnd* frame = GetParentFrame()) {
    frame->SetActiveView(this);
  }
  Default();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() {
  OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
  Invalidate();
}

void CView::OnDraw(CDC*) {}

bool CView::OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) {
  return CWnd::OnCmdMsg(id, code, call) || (m_pDocument && m_pDocument->OnCmdMsg(id, code, call));
}
