// CDirectoryReplies: the chat client's answers to what the directory browser
// reports (1552 directory mode, 1553 navigation question, 1554 echo, 1555
// event mode). The client supplies its pages, its link tests and actions,
// and the sending through CDirectoryClientHost.
#pragma once

#include <cstdint>
#include <string>

class CDirectoryClientHost {
 public:
  virtual ~CDirectoryClientHost() = default;
  virtual void SendToBrowser(uint32_t code, const std::string& text) = 0;
  // The page the client shows now, to which the directory browser returns.
  virtual std::string CurrentPageAddress() const = 0;
  virtual std::string EventPageAddress() const = 0;
  virtual std::string Nickname() const = 0;
  virtual std::string CurrentPlaceName() const = 0;
  virtual bool IsPlaceLink(const std::string& text) const = 0;
  virtual bool IsInteractionLink(const std::string& text) const = 0;
  virtual void OpenPlace(const std::string& text) = 0;
  // After a place link was taken: the browser's page gives way to the place.
  virtual void CloseBrowser() = 0;
  virtual void PerformInteraction(const std::string& text) = 0;
};

class CDirectoryReplies {
 public:
  explicit CDirectoryReplies(CDirectoryClientHost& host) : m_host(host) {}

  // Acts on one received command; other codes are ignored. Answers to a
  // question carry its text exactly as received, so that the browser finds
  // them; leading white space is removed only to read the text.
  void OnCommand(uint64_t code, const std::string& text);

  int32_t RefCounter() const { return m_refCounter; }

 private:
  void OnDirectoryMode(const std::string& address);
  void OnQuestion(const std::string& received);
  void OnEventMode();

  CDirectoryClientHost& m_host;
  int32_t m_refCounter = 0;
};
