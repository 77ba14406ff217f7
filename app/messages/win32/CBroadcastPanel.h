// The broadcast panel of the people page: a picture and two lines of text
// over a background, painted by the page into its rectangle. A broadcast
// stays for its display time, then the default texts come back. One display
// timer (id 1 on the host window) serves every panel.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "BroadcastPanelState.h"
#include "Picture.h"

class CBroadcastInfo;
class CDC;
class CWnd;

class CBroadcastPanel {
 public:
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kBackgroundPicture = 494;
  static constexpr UINT kDefaultPicture = 498;

  CBroadcastPanel();
  ~CBroadcastPanel();
  CBroadcastPanel(const CBroadcastPanel&) = delete;
  CBroadcastPanel& operator=(const CBroadcastPanel&) = delete;

  void SetHost(CWnd* host) { m_host = host; }
  void SetDefaultTexts(const std::string& first, const std::string& second);
  void SetRect(int left, int top, int right, int bottom);
  const RECT& GetRect() const { return m_rect; }
  // Loads the pictures, shows the default texts, starts the timer once.
  void Start();
  void SetTexts(const std::string& first, const std::string& second);
  // A received broadcast: its picture (when it decodes) and its text.
  void ShowBroadcast(const CBroadcastInfo& record);
  void Preview(const std::string& text, const std::string& pictureFile, int32_t seconds);
  void SetDisplayTime(int32_t seconds);
  void OnTimer(UINT_PTR id);
  void Paint(CDC& dc);
  bool HitTest(POINT point) const;
  const CBroadcastPanelState& State() const { return m_state; }

 private:
  RECT PictureArea() const;
  RECT TextArea() const;
  void RestartTimer();
  void Repaint();

  CWnd* m_host = nullptr;
  RECT m_rect{0, 0, 0, 0};
  CBroadcastPanelState m_state;
  CPicture m_background;
  CPicture m_picture;
  CPicture m_savedPicture;
  bool m_started = false;
  // The one display timer of all panels: the window it runs on (null when
  // none runs).
  static HWND s_timerWindow;
};
