// The private message that carries a person's "About Me" texts to the
// person's open identity dialog: lParam is a heap copy of the texts, which
// the receiver frees.
#pragma once
#include <windows.h>

#include <memory>

#include "CPayload.h"

constexpr UINT kIdentityDataMessage = WM_USER + 256;

// Posts a copy of the texts to the window; the copy is freed here when the
// post fails. False then.
bool PostIdentityTexts(HWND window, const CIdentityTexts& texts);
// The texts of a kIdentityDataMessage, owned by the caller from now on.
std::unique_ptr<CIdentityTexts> TakeIdentityTexts(LPARAM lParam);
// Frees the texts of every kIdentityDataMessage still queued for the window.
void DropQueuedIdentityTexts(HWND window);
