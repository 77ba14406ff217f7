// The application's roads to the identity dialogs: the identity command's
// sheet of the local user, a person's identity dialog (opened or raised),
// and the "About Me" texts a person sent, shown by that person's dialog.
#pragma once
#include <cstdint>
#include <string>

#include "CPayload.h"

class CZrApp;

// The identity sheet, modal with the main windows disabled; OK stores the
// identity and, while connected, sends the changed texts to the server.
void RunIdentitySheet(CZrApp& app);
// Raises the person's open identity dialog, or opens one from what the
// root place knows of the person (name: the nickname to show when the
// place does not know the person).
void OpenPersonIdentity(CZrApp& app, uint32_t person, const std::string& name);
// Hands the texts to the person's open identity dialog, which shows them
// in its More Info dialog; dropped when none is open.
void ShowReceivedIdentity(CZrApp& app, uint32_t person, const CIdentityTexts& texts);
