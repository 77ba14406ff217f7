// COwnUserCommands: the commands about the own user's groups. "Guide a
// Tour" starts a tour with the vehicle of the tour set-up, or takes the user
// out of the tour or seat row it is in; "Start a Game..." goes to the games.
#pragma once

#include "ICommandTarget.h"

class CZrApp;

class COwnUserCommands : public ICommandTarget {
 public:
  COwnUserCommands(CZrApp& app, ICommandTarget& games) : m_app(app), m_games(games) {}

  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;

 private:
  bool InGame() const;
  void GuideOrLeave();

  CZrApp& m_app;
  ICommandTarget& m_games;
};
