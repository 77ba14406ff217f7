#include "CStatusBar.h"

#include <commctrl.h>

#include <algorithm>

#include "CCmdUI.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CFrameWnd.h"
#include "ModuleState.h"

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr int kPaneMargin = 8;

// A pane's state asked of the commands: disabled panes show no text.
class PaneCmdUI : public CCmdUI {
 public:
  PaneCmdUI(CStatusBar* bar, std::string text) : m_bar(bar), m_text(std::move(text)) {}
  void Enable(bool on) override {
    m_bEnableChanged = true;
    m_bar->SetPaneText(static_cast<int>(m_nIndex), on ? m_text : std::string());
  }
  void SetCheck(int) override {}
  void SetText(const char* text) override {
    m_text = text;
    m_bar->SetPaneText(static_cast<int>(m_nIndex), m_text);
  }

 private:
  CStatusBar* m_bar;
  std::string m_text;
};

}  // namespace

bool CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  RECT none{0, 0, 0, 0};
  if (!CreateEx(0, STATUSCLASSNAMEA, nullptr, style & ~CBRS_BOTTOM, none, parent, id)) {
    return false;
  }
  // The control sized itself to its font; from now on the frame's layout
  // places it.
  RECT rect{};
  GetWindowRect(&rect);
  m_height = rect.bottom - rect.top;
  ModifyStyle(0, CCS_NORESIZE | CCS_NOPARENTALIGN);
  return true;
}

bool CStatusBar::SetIndicators(const UINT* ids, int count) {
  m_panes.clear();
  CClientDC dc(this);
  HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
  for (int i = 0; i < count; ++i) {
    Pane pane{ids[i], SBPS_NORMAL, 0, std::string()};
    if (pane.id == 0) {
      pane.style = SBPS_STRETCH;
    } else {
      pane.text = AfxLoadString(pane.id);
      pane.width = dc.GetTextExtent(pane.text).cx + kPaneMargin;
    }
    m_panes.push_back(pane);
  }
  ::SelectObject(dc, oldFont);
  LayoutPanes();
  return true;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (index < 0 || index >= GetCount()) {
    return;
  }
  Pane& pane = m_panes[static_cast<size_t>(index)];
  pane.id = id;
  pane.style = style;
  pane.width = std::max(0, width);
  LayoutPanes();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  if (index < 0 || index >= GetCount()) {
    id = style = 0;
    width = 0;
    return;
  }
  const Pane& pane = m_panes[static_cast<size_t>(index)];
  id = pane.id;
  style = pane.style;
  width = pane.width;
}

bool CStatusBar::SetPaneText(int index, const std::string& text) {
  if (index < 0 || index >= GetCount()) {
    return false;
  }
  m_panes[static_cast<size_t>(index)].text = text;
  ShowPaneText(index);
  return true;
}

std::string CStatusBar::GetPaneText(int index) const {
  if (index < 0 || index >= GetCount()) {
    return {};
  }
  return m_panes[static_cast<size_t>(index)].text;
}

void CStatusBar::GetItemRect(int index, RECT* rect) const {
  *rect = RECT{0, 0, 0, 0};
  SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < m_panes.size(); ++i) {
    if (m_panes[i].id == id) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void CStatusBar::ShowPaneText(int index) {
  const std::string& text = m_panes[static_cast<size_t>(index)].text;
  SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void CStatusBar::LayoutPanes() {
  if (m_panes.empty() || !m_hWnd) {
    return;
  }
  RECT client{};
  GetClientRect(&client);
  int fixed = 0;
  for (const Pane& pane : m_panes) {
    fixed += (pane.style & SBPS_STRETCH) ? 0 : pane.width;
  }
  int spare = std::max(0, static_cast<int>(client.right) - fixed);
  std::vector<int> rightEdges;
  int x = 0;
  bool stretched = false;
  for (const Pane& pane : m_panes) {
    int width = pane.width;
    if ((pane.style & SBPS_STRETCH) && !stretched) {
      width = spare;
      stretched = true;
    }
    x += width;
    rightEdges.push_back(x);
  }
  if (!stretched) {
    rightEdges.back() = -1;  // the last pane reaches the edge
  }
  SendMessage(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
  for (int i = 0; i < GetCount(); ++i) {
    ShowPaneText(i);
  }
}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  LayoutPanes();
}

LRESULT CStatusBar::OnSizeParent(WPARAM, LPARAM layoutParam) {
  if (!(GetStyle() & WS_VISIBLE)) {
    return 0;
  }
  auto* layout = reinterpret_cast<SizeParentParams*>(layoutParam);
  RECT& area = layout->rect;
  int top = std::max(area.top, area.bottom - m_height);
  RepositionWindow(layout, m_hWnd, RECT{area.left, top, area.right, area.bottom});
  area.bottom = top;
  return 0;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM text) {
  int index = CommandToIndex(0);
  if (index < 0) {
    index = 0;
  }
  const char* value = reinterpret_cast<const char*>(text);
  return SetPaneText(index, value ? value : "") ? TRUE : FALSE;
}

LRESULT CStatusBar::OnIdleUpdateCmdUI(WPARAM disableIfNoHandler, LPARAM) {
  CWnd* parent = GetParent();
  if ((GetStyle() & WS_VISIBLE) && parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    OnUpdateCmdUI(static_cast<CFrameWnd*>(parent), disableIfNoHandler != 0);
  }
  return 0;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) {
  for (int i = 0; i < GetCount(); ++i) {
    const Pane& pane = m_panes[static_cast<size_t>(i)];
    if (pane.id == 0) {
      continue;
    }
    PaneCmdUI state(this, AfxLoadString(pane.id));
    state.m_nID = pane.id;
    state.m_nIndex = static_cast<UINT>(i);
    state.DoUpdate(target, disableIfNoHandler);
  }
}
