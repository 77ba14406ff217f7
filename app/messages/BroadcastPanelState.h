// What the people page's broadcast panel shows and for how long: its two
// text lines, the default texts it falls back to when the display time runs
// out, and the preview that the Broadcast Extension dialog puts up for a
// while before the earlier text comes back. Portable; the panel window
// runs the timer.
#pragma once

#include <cstdint>
#include <string>

class CBroadcastPanelState {
 public:
  static constexpr int32_t kStartSeconds = 4;
  static constexpr char kBroadcastTitle[] = "BROADCAST";

  void SetDefaults(const std::string& first, const std::string& second);
  // Both empty: the defaults, marked shown.
  void SetTexts(const std::string& first, const std::string& second);
  // A received broadcast's text; the picture is the window's.
  void ShowBroadcast(const std::string& text);
  // Shows the preview for its own time; the text and time shown before it
  // come back on the next tick.
  void Preview(const std::string& text, int32_t seconds);
  void SetDisplayTime(int32_t seconds) { m_displayTime = seconds; }
  // A tick of the display timer: true when the texts changed (and, with
  // the picture, must be shown again).
  bool OnTimer();

  const std::string& First() const { return m_first; }
  const std::string& Second() const { return m_second; }
  int32_t DisplayTime() const { return m_displayTime; }
  bool DefaultsShown() const { return m_defaultsShown; }
  bool InPreview() const { return m_preview; }

 private:
  std::string m_defaultFirst;
  std::string m_defaultSecond;
  std::string m_first;
  std::string m_second;
  int32_t m_displayTime = kStartSeconds;
  bool m_defaultsShown = false;
  bool m_preview = false;
  std::string m_savedFirst;
  int32_t m_savedTime = kStartSeconds;
};
