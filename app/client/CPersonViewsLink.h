// The program's side of the persons of the place: their DDE notices go to
// the DDE session and their changes to the people list. Their avatar
// windows and seat rows are not part of the program yet: those calls change
// nothing and the queries answer "none".
#pragma once

#include "IPersonViews.h"

class CZrApp;

class CPersonViewsLink : public IPersonViews {
 public:
  explicit CPersonViewsLink(CZrApp& app) : m_app(app) {}

  void CreatePlaceWindow(CZrPerson&, CZrGroup*) override {}
  bool HasPlaceWindow(const CZrPerson&) const override { return false; }
  void HidePlaceWindow(CZrPerson&) override {}
  void UpdateVisibility(CZrPerson&) override {}
  void Withdraw(CZrPerson&) override {}
  void Repaint(CZrPerson&) override {}
  void SetMark(CZrPerson&, bool) override {}
  void DestroyWindows(CZrPerson&) override {}
  void FreeSeat(CZrGroup&, uint16_t) override {}
  void AddEmptySeat(CZrGroup&, uint16_t) override {}
  void AddToPeople(CZrPerson& person) override;
  void RemoveFromPeople(CZrPerson& person) override;
  void UpdateInPeople(CZrPerson& person) override;
  void ChangeInPeople(CZrPerson& person) override;

  void SendPlaceNotice(CZrPerson& person, uint32_t value) override;
  void SendMemberMessage(CZrPerson& person, CZrGroup& group) override;
  void PostLeaveGroup(CZrPerson& person, CZrGroup& group) override;
  void SendPlaceRequest(CZrPerson& person) override;

 private:
  CZrApp& m_app;
};
