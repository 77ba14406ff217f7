// Page interactions in the program: links that pages hand over (through
// the browser view or the directory program) are parsed and carried out on
// the root place; those that look a guest up wait here for the answer and
// then send their items.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "CInteraction.h"
#include "IBrowserInteraction.h"

class CZrApp;
class CZrPersonDesc;

class CInteractionLink : public IInteractionPlace {
 public:
  explicit CInteractionLink(CZrApp& app) : m_app(app) {}

  static bool IsInteraction(const std::string& url);
  // Parses and carries out the link's interaction.
  void Perform(const std::string& url);
  // A person query's answer: taken when a waiting interaction asked for it.
  bool OfferLookupReply(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons);
  size_t WaitingCount() const { return m_waiting.size(); }

  // IInteractionPlace
  bool IsAuditorium() const override;
  bool IsDirectlyInPlace() const override;
  std::string PlaceName() const override;
  void Say(const std::string& text, const CTvlBlob& payload) override;
  void SendToMember(uint32_t member, const std::string& text, const CTvlBlob& payload) override;
  bool SendToAdministrator(const std::string& text) override;
  uint32_t LookUp(const std::string& name) override;
  void ShowMessage(uint32_t id) override;

 private:
  CZrApp& m_app;
  std::list<CInteraction> m_waiting;
};

// An interaction link that the browser view hands over: carried out at once
// by the interaction link, which keeps what waits for a look-up itself, so
// the view never queues it.
class CPageInteraction : public IBrowserInteraction {
 public:
  CPageInteraction(CInteractionLink& link, const std::string& url) : m_link(link), m_url(url) {}
  bool IsValid() const override { return true; }
  const std::string& GetId() const override { return m_url; }
  bool Perform() override {
    m_link.Perform(m_url);
    return true;
  }
  void SendItems(CZrPerson&) override {}

 private:
  CInteractionLink& m_link;
  std::string m_url;
};
