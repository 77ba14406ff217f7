// The Tour Setup command: the dialog over the main window, its choices kept
// in the settings' Tour section, and guiding a tour from it.
#pragma once

class CZrApp;

void RunTourSetup(CZrApp& app);
