// A status bar over the common control: panes with ids (their texts come
// from the string table), one pane that stretches over the width the others
// leave, its place at the bottom of the frame's layout, and an idle update.
#pragma once
#include <string>
#include <vector>

#include "CWnd.h"

class CFrameWnd;

class CStatusBar : public CWnd {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  bool Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT id = AFX_IDW_STATUS_BAR);
  using CWnd::Create;

  // One pane per id; id 0 makes a stretching pane without a text.
  bool SetIndicators(const UINT* ids, int count);
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  bool SetPaneText(int index, const std::string& text);
  std::string GetPaneText(int index) const;
  void GetItemRect(int index, RECT* rect) const;
  int CommandToIndex(UINT id) const;
  int GetCount() const { return static_cast<int>(m_panes.size()); }
  int GetHeight() const { return m_height; }

  // The idle update of the panes' texts and states through their commands.
  virtual void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler);

 protected:
  LRESULT OnSizeParent(WPARAM, LPARAM layout);
  LRESULT OnSetText(WPARAM, LPARAM text);
  LRESULT OnIdleUpdateCmdUI(WPARAM disableIfNoHandler, LPARAM);
  void OnSize(UINT type, int cx, int cy);

  DECLARE_MESSAGE_MAP()

 private:
  struct Pane {
    UINT id;
    UINT style;
    int width;
    std::string text;
  };
  void LayoutPanes();
  void ShowPaneText(int index);

  std::vector<Pane> m_panes;
  int m_height = 0;
};
