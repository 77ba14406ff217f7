#include "CDialogCommands.h"

#include "CCmdUI.h"
#include "CZrApp.h"
#include "resource.h"

void CDialogCommands::UpdateCommand(UINT id, CCmdUI* ui) {
  switch (id) {
    default:
      ui->Enable(false);
      break;
  }
}

void CDialogCommands::RunCommand(UINT id) {
  switch (id) {
    default:
      break;
  }
}
