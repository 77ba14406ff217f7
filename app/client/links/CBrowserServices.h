// The application's services that the browser views call: place links and
// login values that pages hand over, and the local welcome page.
#pragma once

#include "IBrowserHost.h"
#include "IWebLoginTarget.h"

class CZrApp;

class CBrowserServices : public IBrowserHost, public IWebLoginTarget {
 public:
  explicit CBrowserServices(CZrApp& app) : m_app(app) {}

  // IBrowserHost
  bool HasBackLink() const override { return false; }
  CCommunityCheck GetCommunityCheck() const override;
  void OpenPlaceAddress(const CPlaceAddress& address, int32_t flag) override;
  IWebLoginTarget& GetLoginTarget() override { return *this; }
  void ConnectPlace() override;
  std::unique_ptr<IBrowserInteraction> ParseInteraction(const std::string& url) override;
  std::string GetWelcomeUrl() const override;

  // IWebLoginTarget
  void SetLoginNick(const std::string& nick) override;
  void SetIdentityNick(const std::string& nick) override;
  void SetPassword(const std::string& password) override;
  void SetGuestFlag(bool guest) override;
  void SetFFlag(bool f) override;
  void SetSlotPictures(const std::string& first, const std::string& second, const std::string& third,
                       const std::string& fourth) override;

 private:
  CZrApp& m_app;
};
