// The voice area of the people page: the voice status text (the window's
// text, so that it can be read from outside) over the voice picture, and
// the two voice toggles (on, off) while the client has voice servers.
#pragma once

#include <functional>
#include <string>

#include "CFont.h"
#include "CWnd.h"

class CVoiceArea : public CWnd {
 public:
  static constexpr int kAreaId = 1331;
  // What the page reads while no voice control could be made.
  static constexpr const char* kUnavailable = "Error:  Voice is unavailable";

  // The toggles call back with the voice-enabled flag the user chose.
  using ToggleHandler = std::function<void(bool enable)>;

  bool Create(CWnd* page, const RECT& rect);
  void SetStatus(const std::string& text);
  // Whether the client has its voice servers (the toggles and the picture
  // depend on it) and whether voice is enabled.
  void SetVoiceState(bool hasServers, bool enabled);
  void SetToggleHandler(ToggleHandler handler) { m_onToggle = std::move(handler); }

 protected:
  void OnPaint();
  void OnLButtonDown(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  RECT ToggleRect(int index) const;
  void DrawBitmap(HDC dc, UINT id, const RECT& rect) const;

  CFont m_font;
  bool m_hasServers = false;
  bool m_enabled = false;
  ToggleHandler m_onToggle;
};
