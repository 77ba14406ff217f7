// The base of the chat window's pages: a modeless child dialog that lives as
// a tab of the chat tab container or floats in a frame of its own, with a
// context menu that follows the local user's situation.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "CDialog.h"
#include "CPageFloatWnd.h"
#include "CRedrawListEntry.h"

class CMenu;
class IPaneContainer;

class CPaneDlg : public CDialog {
 public:
  // Kinds the pane itself tests.
  static constexpr uint32_t kBroadcastKind = 2;
  static constexpr uint32_t kTourKind = 3;
  static constexpr uint32_t kInstantMessageKind = 4;
  static constexpr uint32_t kGameKind = 5;

  CPaneDlg(uint32_t kind, UINT templateId, const std::string& title);
  ~CPaneDlg() override;

  // The container every pane reports to; null when there is none.
  static void SetContainer(IPaneContainer* container);
  static IPaneContainer* Container();

  // Makes the dialog a child of parent at rect, or, when floating, in its
  // float frame at the stored float rectangle.
  bool Create(CWnd* parent, uint32_t targetId, const RECT& rect, bool floating);
  using CDialog::Create;

  uint32_t GetKind() const { return m_kind; }
  // Identifier of the tree object the page talks to.
  uint32_t GetTargetId() const { return m_targetId; }
  const std::string& GetTitle() const { return m_title; }
  void SetTitle(const std::string& title) { m_title = title; }
  bool IsFloating() const { return m_floating; }
  bool IsHighlighted() const { return m_highlighted; }
  // Docked: the dialog is visible; floating: its frame is the active window.
  bool IsShown() const;
  void SetHighlight(bool highlight);

  void SetFloating(bool floating);
  void ShowFloatFrame();
  void RaiseFloatFrame();
  // The float frame's window rectangle; false when it has no window.
  bool GetFrameRect(RECT* rect) const;
  CPageFloatWnd& FloatFrame() { return m_floatFrame; }
  // The float frame's last window rectangle (screen coordinates).
  RECT& FloatRect() { return m_floatRect; }

  // Shows the chat menu (menu 256, first popup) at screen point (x, y).
  void TrackContextMenu(int x, int y);
  // Sets the chat menu's items for this page and the local user.
  void AdjustMenu(CMenu* popup);

  // Moves and sizes the page without z-order change or activation.
  virtual void SetWindowRect(const RECT& rect);
  // The float frame got the focus.
  virtual void OnPaneFocus() {}
  virtual bool HasTranscript() { return false; }
  virtual void SetGesture(bool /*fromGallery*/) {}
  virtual void SaveTranscript() {}
  // Whether "Save As..." is enabled.
  virtual bool CanSave() { return false; }
  virtual void SetActive(bool /*active*/) {}

 protected:
  void OnToggleFloating();
  void OnToggleObserve();
  BOOL OnEraseBkgnd(CDC* dc);
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);

  DECLARE_MESSAGE_MAP()

 private:
  uint32_t m_kind;
  uint32_t m_targetId = 0;
  bool m_floating = false;
  bool m_highlighted = false;
  std::string m_title;
  std::unique_ptr<CMenu> m_menu;
  RECT m_floatRect{0, 0, 335, 240};
  CPageFloatWnd m_floatFrame;
  CRedrawListEntry m_redrawEntry;
};
