// Message delivery for tests that run windows on their own thread.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

// Delivers the thread's messages for ms milliseconds (at least once).
void Pump(DWORD ms = 30);
// Delivers messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
// Takes every queued message of number message (0: of any number) for window
// and its children off the queue, undelivered; the message's hwnd tells them
// apart.
std::vector<MSG> TakeMessages(HWND window, UINT message);
