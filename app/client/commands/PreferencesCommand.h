// The Preferences command: the preferences sheet over the application's
// settings, run modally over the main window with the main windows disabled
// while it is up.
#pragma once

class CZrApp;

void RunPreferences(CZrApp& app);
