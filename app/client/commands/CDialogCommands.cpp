#include "CDialogCommands.h"

#include "BroadcastPageLink.h"
#include "CCmdUI.h"
#include "CCommunityServersCommand.h"
#include "CLocateDlg.h"
#include "CPersonStateList.h"
#include "CZrApp.h"
#include "IdentityCommands.h"
#include "PreferencesCommand.h"
#include "TourSetupCommand.h"
#include "resource.h"

void CDialogCommands::UpdateCommand(UINT id, CCmdUI* ui) {
  switch (id) {
    case ID_PREFERENCES:
    case ID_ABOUT:
    case ID_CALL_PROGRAM:
    case ID_OPEN_LOCATION:
    case ID_PRIVATE_ROOM:
    case ID_INVITEE_SELECTION:
    case ID_COMMUNITY_SERVERS:
    case ID_LOCATE:
    case ID_EDIT_IDENTITY:
    case ID_TOUR_SETUP:
    case ID_SEND_IM:
    case ID_BROADCAST:
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
    case ID_TOUR_SETUP:
      RunTourSetup(m_app);
      break;
    case ID_ABOUT:
      m_app.SmallDialogs().RunAbout();
      break;
    case ID_CALL_PROGRAM:
      m_app.SmallDialogs().RunCallProgram();
      break;
    case ID_OPEN_LOCATION:
      m_app.SmallDialogs().RunOpenLocation();
      break;
    case ID_PRIVATE_ROOM:
      m_app.SmallDialogs().OpenPrivateRoom();
      break;
    case ID_INVITEE_SELECTION:
      m_app.SmallDialogs().OpenInviteeSelection();
      break;
    case ID_COMMUNITY_SERVERS:
      CCommunityServersCommand(m_app).Run();
      break;
    case ID_LOCATE:
      CLocateDlg::Raise(m_app);
      break;
    case ID_EDIT_IDENTITY:
      RunIdentitySheet(m_app);
      break;
    case ID_SEND_IM:
      if (CPersonStateList* states = m_app.GetPersonStateList()) states->ShowSendImDlg();
      break;
    case ID_BROADCAST:
      RunBroadcastDialog(m_app);
      break;
    default:
      break;
  }
}
