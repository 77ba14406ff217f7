// The status line of the main window, the people manager and the places
// manager: one pane showing a lasting text, a timed text that falls back to
// the lasting text after a period, or a message scrolling from right to left.
#pragma once
#include <string>

#include "CStatusBar.h"

class CZrStatusBar : public CStatusBar {
 public:
  static constexpr UINT_PTR kTimerId = 100;
  static constexpr UINT kDefaultTimedPeriod = 11000;

  // One stretching pane at the bottom of parent.
  bool Create(CWnd* parent);
  using CStatusBar::Create;

  // Shows text; keep makes it the lasting text, otherwise the lasting text
  // (or lasting, when not empty) comes back after the timed period.
  void SetTimedText(const std::string& text, bool keep, const std::string& lasting);
  void ShowStringMessage(UINT stringId, bool keep);
  // Scrolls text through the pane in colour until the next text arrives.
  void SetMessage(const std::string& text, COLORREF colour);
  // Shows text at once; an empty text or "Ready" shows the lasting text.
  void SetText(const std::string& text);

  void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;

  // How long a timed text stays, in milliseconds.
  void SetTimedPeriod(UINT ms) { m_timedPeriod = ms; }
  UINT GetTimedPeriod() const { return m_timedPeriod; }

  const std::string& GetCurrentText() const { return m_currentText; }
  const std::string& GetLastingText() const { return m_lastingText; }
  // The running timer's id, 0 when none runs.
  UINT_PTR GetTimerId() const { return m_timerId; }
  bool IsScrolling() const { return m_scrolling; }
  int GetScrollOffset() const { return m_scrollOffset; }

 protected:
  LRESULT OnSetTextMessage(WPARAM, LPARAM text);
  void OnTimer(UINT_PTR id);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void StartTimer(UINT ms);
  void StopTimer();
  void StopScrolling();
  void ScrollStep();
  // Pane 0's rectangle shrunk by inset on every side.
  RECT PaneRect(int inset) const;
  HFONT ScrollFont() const;

  std::string m_currentText;
  std::string m_lastingText;
  UINT_PTR m_timerId = 0;
  UINT m_timedPeriod = kDefaultTimedPeriod;
  bool m_scrolling = false;
  std::string m_scrollText;
  COLORREF m_scrollColour = 0;
  int m_scrollTextWidth = 0;
  int m_scrollOffset = 0;
};
