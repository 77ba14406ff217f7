#include "CChatFrame.h"

#include "AppPalette.h"
#include "CPaintDC.h"
#include "IAppUi.h"
#include "Picture.h"

IMPLEMENT_DYNCREATE(CChatFrame, CWnd)

BEGIN_MESSAGE_MAP(CChatFrame, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool CChatFrame::Create(const char*, const char* title, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        CCreateContext* context) {
  const char* cls = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr);
  if (!cls || !CWnd::Create(cls, title, style | WS_BORDER | WS_CLIPCHILDREN, rect, parent, id, context))
    return false;
  m_redrawEntry.Add(m_hWnd);
  return true;
}

void CChatFrame::OnSize(UINT, int, int) {
  Default();
  m_tabs.Layout();
}

BOOL CChatFrame::OnEraseBkgnd(CDC*) { return TRUE; }

void CChatFrame::OnPaint() {
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  CPicture* background = AppUi().GetBackgroundPicture();
  CAppPalette::Get().Select(&dc);
  if (background)
    background->DrawTiled(&dc, client);
  else
    dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
  CAppPalette::Get().Restore(&dc);
}

void CChatFrame::OnDestroy() {
  m_redrawEntry.Remove();
  Default();
}
