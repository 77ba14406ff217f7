// TestClientWindow: a stand-in for the chat client's main window, class
// "ZRFrame", with the client's side of the directory link. It records every
// command it takes from the browser (after the deferral) and, unless told
// otherwise, answers as the client does. Its directory page and link tests
// are fixed for the tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CDirectoryClient.h"

class TestClientWindow : public CDirectoryClient {
 public:
  using Received = std::pair<uint64_t, std::string>;

  TestClientWindow();
  ~TestClientWindow() override;

  HWND Window() const { return m_window; }
  void Destroy();

  // Commands taken so far, in order; actions the client carried out.
  std::vector<Received> received;
  std::vector<std::string> actions;
  // When false, commands are recorded but not answered.
  bool autoReply = true;
  // Called for each command taken, after it was recorded.
  std::function<void(const Received&)> onReceived;

  // Runs the thread's messages until a command with this code is taken
  // (counting from index from), or until timeoutMs passes.
  std::optional<Received> WaitFor(uint64_t code, size_t from, DWORD timeoutMs);
  // Runs the thread's messages until done() or timeoutMs; done()'s last value.
  // The wait also wakes when wake (a process, say) is signalled.
  static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE wake = nullptr);
  // Runs every message already queued.
  static void Drain();

  std::string CurrentPageAddress() const override { return "http://127.0.0.1:9/members"; }
  std::string EventPageAddress() const override { return "http://127.0.0.1:9/events"; }
  std::string Nickname() const override { return "Test User"; }
  std::string CurrentPlaceName() const override { return "Lobby"; }
  bool IsPlaceLink(const std::string& text) const override;
  bool IsInteractionLink(const std::string& text) const override;
  void OpenPlace(const std::string& text) override { actions.push_back("open " + text); }
  void CloseBrowser() override { HideAndReturn(); }
  void PerformInteraction(const std::string& text) override { actions.push_back("do " + text); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Take(LPARAM copy);

  HWND m_window = nullptr;
};
