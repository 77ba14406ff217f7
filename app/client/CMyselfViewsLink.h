// The program's side of the local user: its own avatar window, the
// participation indicator, the exclamation sound, the tips and the DDE
// notices that only the local user raises. The avatar's overlay, the chat
// tabs of its groups, the auditorium's seat map and the game session are not
// part of the program yet: those calls change nothing and the queries answer
// "none".
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

  void CreateGameTab(CZrGroup& group) override;
  void CreateTourTab(CZrGroup& group) override;
  void CreateRowTab(CZrGroup& group) override;
  void CreateStageTab(CZrGroup& room) override;
  void ShowImTab(CZrObject& person, CZrGroup& group) override;
  void ClosePersonPage(CZrObject& object) override;
  bool IsImPageActive() const override;

  void CloseSeatMap() override {}
  void EnableSeatMap() override {}
  void ReleaseGame() override {}

  void PostAlert(uint32_t sender, const std::string& name) override;
  void PostMoveError(uint32_t stringId) override;
  void PostGroupError(uint32_t stringId) override;
  void PostMove(uint32_t x, uint32_t y) override;

 private:
  CZrApp& m_app;
};
