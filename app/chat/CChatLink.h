// The program's side of the chat pages and balloons: what the pages ask of
// the application (IChatPageHost), the word filter fed by the community's
// word list, and the road of a received chat line to its balloon and page.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "IChatPageHost.h"
#include "WordFilter.h"

class CBalloonManager;
class CChatTabWnd;
class CZrApp;
class CZrObject;

class CChatLink : public IChatPageHost {
 public:
  // Balloon text size in points and colour.
  static constexpr int kBalloonPoints = 8;
  static constexpr COLORREF kBalloonColour = 0xFFFFFF;

  explicit CChatLink(CZrApp& app) : m_app(app) {}

  // The container and the balloons of the main window; null while there
  // are none.
  void Attach(CChatTabWnd* tabs, CBalloonManager* balloons);
  CChatTabWnd* Tabs() const { return m_tabs; }
  CBalloonManager* Balloons() const { return m_balloons; }

  // The community's word list replaces the filter's; empty words are left
  // out.
  void SetWordList(const std::vector<std::string>& words);
  const CWordFilter& Filter() const { return m_filter; }
  // The masked text when either filter flag is set (balloons).
  std::string MaskForBalloon(const std::string& text) const;

  // A line said in the root place: the speaker's balloon, then the page.
  void ShowSay(const CZrObject& sender, const std::string& text);
  // A line said to the target object (a group or the place): its page.
  void ShowChatLine(uint32_t targetId, const CZrObject& speaker, const std::string& text);
  int32_t GetLayoutMode() const { return m_layoutMode; }

  // IChatPageHost
  bool IsRunning() override;
  bool AreWindowsDisabled() override;
  void ResetIdleMinutes() override;
  ChatSendState SendStateFor(ChatPageKind kind) override;
  bool SendTalk(ChatPageKind kind, uint32_t targetId, const std::string& text) override;
  bool SendThroughHost(const std::string& text) override;
  void SendInstantMessage(uint32_t person, const std::string& text) override;
  void SetTypingState(ChatPageKind kind, uint32_t targetId, bool on) override;
  void ShowOwnBalloon(const std::string& text) override;
  void EchoLine(uint32_t targetId, const std::string& text) override;
  std::string MaskWords(ChatPageKind kind, const std::string& text) override;
  bool IsPrivateRoom() override;
  std::string PlaceTitle() override;
  void OpenSendImDialog() override;
  void SetGameActive(uint32_t targetId, bool active) override;
  ChatPlaceState PlaceState() override;
  void SetLayoutMode(int32_t mode) override { m_layoutMode = mode; }

 private:
  CZrObject* FindTarget(ChatPageKind kind, uint32_t targetId) const;
  void ShowBalloonFor(const CZrObject& speaker, const std::string& text);

  CZrApp& m_app;
  CChatTabWnd* m_tabs = nullptr;
  CBalloonManager* m_balloons = nullptr;
  CWordFilter m_filter;
  // The two word-filter preference flags: A masks on every page, B on room
  // pages and in balloons.
  bool m_filterA = true;
  bool m_filterB = true;
  int32_t m_layoutMode = 0;
};
