// The program's side of the persons and groups of the place: their avatar
// windows over the page, their rows in the people list, and their DDE
// notices to the DDE session.
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
  void FreeSeat(CZrGroup& row, uint16_t seat) override;
  void AddEmptySeat(CZrGroup& row, uint16_t seat) override;
  void AddToPeople(CZrPerson& person) override;
  void RemoveFromPeople(CZrPerson& person) override;
  void UpdateInPeople(CZrPerson& person) override;
  void ChangeInPeople(CZrPerson& person) override;
  void RedrawPeople() override;

  void CreateGroupWindow(CZrGroup& group) override;
  void ShowGroupWindow(CZrGroup& group) override;
  void WithdrawGroupWindow(CZrGroup& group) override;
  void RelayoutGroupWindow(CZrGroup& group) override;
  void RepaintGroupWindow(CZrGroup& group) override;
  void DestroyGroupWindows(CZrGroup& group) override;
  void AddGroupToPeople(CZrGroup& group) override;
  void RemoveGroupFromPeople(CZrGroup& group) override;
  void UpdateGroupInPeople(CZrGroup& group) override;
  void ShowGroupSay(CZrGroup&, CZrObject&, const std::string&) override {}

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
