// Stand-ins for what a browser view talks to: an application that records
// the services asked of it, an owner that records the reports, and event
// interactions whose parse and outcome a test decides.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CCommunityCheck.h"
#include "CPlaceAddress.h"
#include "IBrowserHost.h"
#include "IBrowserInteraction.h"
#include "IBrowserOwner.h"
#include "IWebLoginTarget.h"

// An interaction URL is "event:<id>:<how>", how being "now" (carried out at
// once), "wait" (waits for its recipient) or "typeless" (no type).
class FakeInteraction : public IBrowserInteraction {
 public:
  FakeInteraction(std::string id, std::string how, std::vector<std::string>& log)
      : m_id(std::move(id)), m_how(std::move(how)), m_log(log) {}
  ~FakeInteraction() override { m_log.push_back("freed " + m_id); }

  bool IsValid() const override { return m_how != "typeless"; }
  const std::string& GetId() const override { return m_id; }
  bool Perform() override {
    m_log.push_back("perform " + m_id);
    return m_how == "now";
  }
  void SendItems(CZrPerson&) override { m_log.push_back("send " + m_id); }

 private:
  std::string m_id;
  std::string m_how;
  std::vector<std::string>& m_log;
};

class FakeHost : public IBrowserHost, public IWebLoginTarget {
 public:
  std::vector<std::string> log;
  bool backLink = false;

  bool HasBackLink() const override { return backLink; }
  CCommunityCheck GetCommunityCheck() const override {
    return CCommunityCheck("chat1.test", "chat2.test", "default.test", "no-such-list.hst");
  }
  void OpenPlaceAddress(const CPlaceAddress& address, int32_t flag) override {
    log.push_back("open place " + address.GetName() + " flag " + std::to_string(flag));
  }
  IWebLoginTarget& GetLoginTarget() override { return *this; }
  void ConnectPlace() override { log.push_back("connect"); }
  std::unique_ptr<IBrowserInteraction> ParseInteraction(const std::string& url) override {
    if (url.compare(0, 6, "event:") != 0) return nullptr;
    const size_t colon = url.find(':', 6);
    if (colon == std::string::npos) return nullptr;
    return std::make_unique<FakeInteraction>(url.substr(6, colon - 6), url.substr(colon + 1), log);
  }
  std::string GetWelcomeUrl() const override { return "file:///C:/zanthe/welcome.htm"; }

  void SetLoginNick(const std::string& nick) override { log.push_back("login nick " + nick); }
  void SetIdentityNick(const std::string& nick) override { log.push_back("identity nick " + nick); }
  void SetPassword(const std::string& password) override { log.push_back("password " + password); }
  void SetGuestFlag(bool guest) override { log.push_back(guest ? "guest 1" : "guest 0"); }
  void SetFFlag(bool f) override { log.push_back(f ? "f 1" : "f 0"); }
  void SetSlotPictures(const std::string& first, const std::string& second, const std::string& third,
                       const std::string& fourth) override {
    log.push_back("pictures " + first + "|" + second + "|" + third + "|" + fourth);
  }
};

class FakeOwner : public IBrowserOwner {
 public:
  std::vector<std::string> log;
  bool wantsUrlReports = false;
  bool tourOwner = false;

  void OnNavigated(const std::string& url, const std::string& second) override {
    log.push_back("navigated " + url + " " + second);
  }
  void OnCloseRequest(const std::string& text) override { log.push_back("close " + text); }
  void OnPlaceTaken() override { log.push_back("place taken"); }
  void OnDownloadBegin() override { log.push_back("download begin"); }
  void OnDownloadComplete(bool flag) override { log.push_back(flag ? "download complete 1" : "download complete 0"); }
  void OnStatusText(const std::string& text) override { log.push_back("status " + text); }
  void OnProgress(int32_t percent) override { log.push_back("progress " + std::to_string(percent)); }
  void OnLocation(const std::string& url, const std::string& title, bool final) override {
    log.push_back("location " + url + " " + title + (final ? " 1" : " 0"));
  }
  void OnHistoryNavigate(const std::string& url, const std::string& extra) override {
    log.push_back("history " + url + extra);
  }
  bool WantsUrlReports() override { return wantsUrlReports; }
  bool IsTourOwner() override { return tourOwner; }
};
