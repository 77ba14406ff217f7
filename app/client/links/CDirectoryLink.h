// The client's side of the link with the directory program: it opens the
// directory and event pages there and answers what the program asks about
// the client's page, place links, echoes and the event login address.
#pragma once
#include "CDirectoryClient.h"

class CZrApp;

class CDirectoryLink : public CDirectoryClient {
 public:
  enum Mode : int32_t { kDirectory = 0, kEventManagement = 1 };
  // Directory page and event management base address among the community's
  // items.
  static constexpr uint16_t kDirectoryPageItem = 1002;
  static constexpr uint16_t kEventBaseItem = 1011;

  explicit CDirectoryLink(CZrApp& app) : CDirectoryClient(nullptr), m_app(app) {}

  // Opens the directory program in the mode, or shows a running one.
  void Start(Mode mode);
  // The page is left for the place: the program hides and shows the client.
  void CloseBrowser() override { HideAndReturn(); }

  std::string CurrentPageAddress() const override;
  std::string EventPageAddress() const override;
  std::string Nickname() const override;
  std::string CurrentPlaceName() const override;
  bool IsPlaceLink(const std::string& text) const override;
  bool IsInteractionLink(const std::string& text) const override;
  void OpenPlace(const std::string& text) override;
  void PerformInteraction(const std::string& text) override;

 private:
  CZrApp& m_app;
};
