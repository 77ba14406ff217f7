// The application's side of the tips, kept in memory.
#pragma once
#include <string>
#include <vector>

#include "ITipHost.h"

class FakeTipHost : public ITipHost {
 public:
  bool tipsAtStart = false;
  std::string tipState;
  int stateReads = 0;
  std::vector<std::string> saved;

  bool GetTipsAtStart() override { return tipsAtStart; }
  void SetTipsAtStart(bool show) override { tipsAtStart = show; }
  std::string GetTipState() override {
    ++stateReads;
    return tipState;
  }
  void SaveTipState(const std::string& text) override {
    tipState = text;
    saved.push_back(text);
  }
};
