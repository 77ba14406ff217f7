// What the tips of the day need of the application: its tips-at-start flag
// and the settings text the tip states are kept in.
#pragma once
#include <string>

class ITipHost {
 public:
  virtual ~ITipHost() = default;

  virtual bool GetTipsAtStart() = 0;
  virtual void SetTipsAtStart(bool show) = 0;
  // The stored tip-state text.
  virtual std::string GetTipState() = 0;
  // Stores text as the tip-state text and saves the settings.
  virtual void SaveTipState(const std::string& text) = 0;
};
