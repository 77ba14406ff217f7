// The program's instant messages: the conversation list on the root place,
// the DDE notices and the conversation pages. A received message waits in
// the kept list until a conversation page shows it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ImConversationList.h"

class CZrApp;
class CZrPersonDesc;

// An instant message received and not yet shown on a page.
struct CKeptMessage {
  uint32_t sender;
  std::string name;
  std::string text;
  std::vector<uint8_t> payload;
  std::string pending;
};

class CImLink : public IImRoad {
 public:
  explicit CImLink(CZrApp& app) : m_app(app), m_list(*this) {}

  CImConversationList& List() { return m_list; }
  const std::vector<CKeptMessage>& KeptMessages() const { return m_kept; }
  // A person query's answer: taken when a dialog's look-up asked for it.
  bool OfferLookupReply(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons);

  // IImRoad
  bool SendIm(uint32_t recipient, const std::string& text, const CTvlBlob& payload) override;
  void PostOutgoingNotice(const std::string& text, const CTvlBlob& payload) override;
  uint32_t SendLookup(const std::string& name) override;
  void ShowIm(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
              const std::string& pending) override;
  void ShowNotFound(const std::string& name) override;

 private:
  CZrApp& m_app;
  CImConversationList m_list;
  std::vector<CKeptMessage> m_kept;
};
