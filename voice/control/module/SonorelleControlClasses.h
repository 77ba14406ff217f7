// Class descriptions of the voice control module's three controls: their
// identities and interfaces for the control base, and their registration.
#pragma once

#include "COleControl.h"
#include "COleControlFactory.h"

extern const OleControlClass kSonorelleClass;
extern const OleControlClass kSonorelle2Class;
extern const OleControlClass kSonorelle3Class;
extern const OleControlRegistration kSonorelleRegistration;

// The address of the voice service's web site, the default of StitchUrl.
extern const char kVoiceServiceAddress[];
// Sent by the SDK control to its own window with an engine event record.
constexpr UINT kEngineEventMessage = WM_USER + 2012;
