// The application's commands that open a dialog: preferences, community
// servers, About, the call program, open location, private room, the
// event invitee prompt, Locate and the identity sheet. It plugs into the
// application as the target of its dialog commands; a command whose dialog
// is not here stays disabled.
#pragma once
#include "ICommandTarget.h"

class CZrApp;

class CDialogCommands : public ICommandTarget {
 public:
  explicit CDialogCommands(CZrApp& app) : m_app(app) {}

  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;

 private:
  CZrApp& m_app;
};
