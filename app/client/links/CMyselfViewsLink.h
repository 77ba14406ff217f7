// The program's side of the local user: its own avatar window, the
// participation indicator, the exclamation sound, the tips and the DDE
// notices that only the local user raises. The avatar's overlay, the chat
// tabs of its groups and the auditorium's seat map are not part of the
// program yet: those calls change nothing and the queries answer "none".
#pragma once

#include "IMyselfViews.h"

class CZrApp;

class CMyselfViewsLink : public IMyselfViews {
 public:
  explicit CMyselfViewsLink(CZrApp& app) : m_app(app) {}

  void AnimateIndicator() override;
  void StopIndicator() override;
  void Beep() override;
  void ShowTip(int32_t tip) override;

  void SetOwnShown(bool shown) override;
  void LayoutOwnAvatar() override;
  bool IsOwnOverlayShown() const override { return false; }
  void SetOwnOverlay(bool) override {}
  void EnableDrag(CZrGroup&) override {}

  void CreateGameTab(CZrGroup&) override {}
  void CreateTourTab(CZrGroup&) override {}
  void CreateRowTab(CZrGroup&) override {}
  void CreateStageTab(CZrGroup&) override {}
  void ShowImTab(CZrObject&, CZrGroup&) override {}
  void ClosePersonPage(CZrObject&) override {}
  bool IsImPageActive() const override { return false; }

  void CloseSeatMap() override {}
  void EnableSeatMap() override {}
  void ReleaseGame() override;

  void PostAlert(uint32_t sender, const std::string& name) override;
  void PostMoveError(uint32_t stringId) override;
  void PostGroupError(uint32_t stringId) override;
  void PostMove(uint32_t x, uint32_t y) override;

 private:
  CZrApp& m_app;
};
