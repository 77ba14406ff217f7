// What the pane dialogs ask of the main window's chat tab container, which
// holds them as tabs while they are docked. The container implements it and
// installs itself with CPaneDlg::SetContainer.
#pragma once
#include <windows.h>

#include <cstdint>

class CPaneDlg;
class CWnd;

class IPaneContainer {
 public:
  virtual ~IPaneContainer() = default;

  // Selects a neighbouring tab, hides the pane's tab and sets the pane
  // floating.
  virtual void FloatPage(CPaneDlg* pane) = 0;
  // Shows the pane's tab again and selects it.
  virtual void DockPage(CPaneDlg* pane) = 0;
  // Lays the pane out in the container's page area.
  virtual void FitPage(CPaneDlg* pane) = 0;
  // Screen position and size of a page's first float frame.
  virtual void GetFloatFrameSize(POINT& position, SIZE& size) = 0;
  // Activates the page that talks to the tree object targetId.
  virtual void SelectPageFor(uint32_t targetId) = 0;
  // Marks or unmarks the tab of a page.
  virtual void HighlightPage(CPaneDlg* pane, bool highlight) = 0;
  // Repaints the tab row (no erase) so that marks follow the pages.
  virtual void RepaintTabs() = 0;
  // The window docked pages are children of (the container's parent).
  virtual CWnd* GetDockParent() = 0;
};
