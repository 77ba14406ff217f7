// The program's side of the persons and groups of the place: their avatar
// windows over the page, their rows in the people list, and their DDE
// notices to the DDE session. Group windows and seat rows are not part of
// the program yet: those calls change nothing.
#pragma once

#include "IPersonViews.h"

class CZrApp;

class CPersonViewsLink : public IPersonViews {
 public:
  explicit CPersonViewsLink(CZrApp& app) : m_app(app) {}

  void CreatePlaceWindow(CZrPerson& person, CZrGroup* host) override;
  bool HasPlaceWindow(const CZrPerson& person) const override;
  void HidePlaceWindow(CZrPerson& person) override;
  void UpdateVisibility(CZrPerson& person) override;
  void Withdraw(CZrPerson& person) override;
  void Repaint(CZrPerson& person) override;
  void SetMark(CZrPerson& person, bool on) override;
  void SetOverlay(CZrPerson& person, bool on) override;
  void ShowPicture(CZrPerson& person, const CTvlBlob& picture) override;
  void DestroyWindows(CZrPerson& person) override;
  void FreeSeat(CZrGroup&, uint16_t) override {}
  void AddEmptySeat(CZrGroup&, uint16_t) override {}
  void AddToPeople(CZrPerson& person) override;
  void RemoveFromPeople(CZrPerson& person) override;
  void UpdateInPeople(CZrPerson& person) override;
  void ChangeInPeople(CZrPerson& person) override;
  void RedrawPeople() override;

  void CreateGroupWindow(CZrGroup& group) override;
  void ShowGroupWindow(CZrGroup&) override {}
  void WithdrawGroupWindow(CZrGroup&) override {}
  void RelayoutGroupWindow(CZrGroup&) override {}
  void RepaintGroupWindow(CZrGroup&) override {}
  void DestroyGroupWindows(CZrGroup&) override {}
  void AddGroupToPeople(CZrGroup& group) override;
  void RemoveGroupFromPeople(CZrGroup& group) override;
  void UpdateGroupInPeople(CZrGroup& group) override;
  void ShowGroupSay(CZrGroup& group, CZrObject& sender, const std::string& text) override;

  void SendPlaceNotice(CZrPerson& person, uint32_t value) override;
  void SendMemberMessage(CZrPerson& person, CZrGroup& group) override;
  void PostLeaveGroup(CZrPerson& person, CZrGroup& group) override;
  void SendPlaceRequest(CZrPerson& person) override;
  void PostStartGroup(CZrGroup& group, CZrPerson& starter) override;
  void PostBreakGroup(CZrGroup& group) override;
  void PostStart1on1(CZrGroup& group, CZrPerson& person) override;
  void PostBreak1on1(CZrGroup& group) override;
  void SendGroupNotice(CZrGroup& group, bool startVoice) override;
  void SendGroupRequest(CZrGroup& group) override;
  void PostPresenceIdentity(CZrPerson& person) override;
  void PostPresenceFace(CZrPerson& person) override;

 private:
  CZrApp& m_app;
};
