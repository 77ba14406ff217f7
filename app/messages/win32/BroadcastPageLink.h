// The "What's Hot" page in the program: the chat tab container makes it
// with the bulletin list of the service's links, and received broadcasts
// for it are shown there with their tab lit.
#pragma once

class CBroadcastInfo;
class CZrApp;

// Before the main window is made.
void UseBroadcastPage(CZrApp& app);
void ShowBroadcastOnPage(CZrApp& app, const CBroadcastInfo& record);
// The Broadcast Extension dialog, modal.
void RunBroadcastDialog(CZrApp& app);
