// The program's instant messages: the conversation list on the root place,
// the DDE notices and the conversation pages in the chat tab container.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CImDialog.h"
#include "ImConversationList.h"

class CZrApp;
class CZrPersonDesc;

class CImLink : public IImRoad, public IImPages {
 public:
  explicit CImLink(CZrApp& app) : m_app(app), m_list(*this) {}

  CImConversationList& List() { return m_list; }
  // A person query's answer: taken when a dialog's look-up asked for it.
  bool OfferLookupReply(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons);

  // IImRoad
  bool SendIm(uint32_t recipient, const std::string& text, const CTvlBlob& payload) override;
  void PostOutgoingNotice(const std::string& text, const CTvlBlob& payload) override;
  uint32_t SendLookup(const std::string& name) override;
  void ShowIm(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
              const std::string& pending) override;
  void ShowNotFound(const std::string& name) override;
  // IImPages
  void SendFromPage(uint32_t person, const std::string& text) override;
  void OnPageClosed(uint32_t person) override;

 private:
  CZrApp& m_app;
  CImDialog* PageFor(uint32_t sender, const std::string& name);

  CImConversationList m_list;
};
