#include "CDialogCommands.h"

#include "CCmdUI.h"
#include "CCommunityServersCommand.h"
#include "CZrApp.h"
#include "PreferencesCommand.h"
#include "resource.h"

void CDialogCommands::UpdateCommand(UINT id, CCmdUI* ui) {
  switch (id) {
    case ID_PREFERENCES:
    case ID_COMMUNITY_SERVERS:
      break;
    default:
      ui->Enable(false);
      break;
  }
}

void CDialogCommands::RunCommand(UINT id) {
  switch (id) {
    case ID_PREFERENCES:
      RunPreferences(m_app);
      break;
    case ID_COMMUNITY_SERVERS:
      CCommunityServersCommand(m_app).Run();
      break;
    default:
      break;
  }
}
