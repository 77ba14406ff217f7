// A person's identity dialog as the person state list keeps it: one a
// person, raised when asked for again, and the one that the person's "About
// Me" texts go to.
#pragma once
#include <cstdint>

#include "CIdentityDlg.h"
#include "CPayload.h"

class CPersonStateList;
class IIdentityHost;

// Raises the person's open identity dialog, or makes, registers and shows
// a new one; null when none could be made.
IPersonDialog* OpenIdentityDialog(CPersonStateList& states, IIdentityHost& host,
                                  const CIdentityPerson& person);
// Posts the texts to the person's open identity dialog; false (the texts
// dropped) when the person has none or the post failed.
bool GiveIdentityTexts(CPersonStateList& states, uint32_t person, const CIdentityTexts& texts);
