#include "PreferencesCommand.h"

#include "CChatWnd.h"
#include "CPrefDlg.h"
#include "CZrApp.h"

void RunPreferences(CZrApp& app) {
  CPrefDlg sheet(app.Settings(), app.Resources().CanSendFiles(),
                 [&app](const std::string& address) { app.SetHomePage(address); }, app.MainFrame());
  app.Boxes().RunWithMainWindowsDisabled([&sheet] { return static_cast<int>(sheet.DoModal()); });
}
