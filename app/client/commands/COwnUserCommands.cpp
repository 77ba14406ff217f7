#include "COwnUserCommands.h"

#include "CCmdUI.h"
#include "CClientPlace.h"
#include "CMyselfClient.h"
#include "CZrApp.h"
#include "TourSetupCommand.h"
#include "ZrGroup.h"
#include "resource.h"

bool COwnUserCommands::InGame() const {
  const CZrPerson* myself = m_app.GetMyself();
  return myself && CClientPlace::IsGame(myself->GetParent());
}

// A tour is not guided from inside a game.
void COwnUserCommands::UpdateCommand(UINT id, CCmdUI* ui) {
  if (id == ID_GUIDE_TOUR) {
    ui->Enable(!InGame());
    return;
  }
  m_games.UpdateCommand(id, ui);
}

void COwnUserCommands::RunCommand(UINT id) {
  if (id == ID_GUIDE_TOUR) {
    GuideOrLeave();
    return;
  }
  m_games.RunCommand(id);
}

// A user on a tour or in a row goes back to its place (a guide's tour ends
// with it); anyone else leaves its group for a tour of its own.
void COwnUserCommands::GuideOrLeave() {
  auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself());
  if (!myself || InGame()) return;
  if (m_app.GetTourRole() != CZrApp::GroupRole::kNone || m_app.IsInRow()) {
    myself->SendPosition();
    return;
  }
  GuideTour(m_app);
}
