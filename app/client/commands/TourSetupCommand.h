// The Tour Setup command: the dialog over the main window, its choices kept
// in the settings' Tour section, and guiding a tour from it.
#pragma once

class CZrApp;

void RunTourSetup(CZrApp& app);
// Starts a tour with the vehicle and name of the settings, out of any group
// the user is in; false when the user is in no place.
bool GuideTour(CZrApp& app);
