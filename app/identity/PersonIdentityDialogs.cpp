#include "PersonIdentityDialogs.h"

#include <memory>

#include "CPersonStateList.h"

IPersonDialog* OpenIdentityDialog(CPersonStateList& states, IIdentityHost& host,
                                  const CIdentityPerson& person) {
  if (IPersonDialog* open = states.GetData(person.id)) {
    open->Raise();
    return open;
  }
  auto dialog = std::make_unique<CIdentityDlg>(host, person);
  if (!dialog->Open()) return nullptr;
  IPersonDialog* shown = dialog.get();
  states.SetData(person.id, std::move(dialog));
  return shown;
}

bool GiveIdentityTexts(CPersonStateList& states, uint32_t person, const CIdentityTexts& texts) {
  auto* dialog = dynamic_cast<CIdentityDlg*>(states.GetData(person));
  return dialog && dialog->PostIdentityTexts(texts);
}
