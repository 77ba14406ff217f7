// The URLs that the client takes instead of letting a browser load them: a
// place link, login values ("zrs://") and an event interaction, tried in
// that order. Event interactions that must wait for their recipient are
// queued here until the recipient answers.
#pragma once

#include <list>
#include <memory>
#include <string>

class CZrPerson;
class IBrowserHost;
class IBrowserInteraction;
class IBrowserOwner;

class CSpecialUrlChain {
 public:
  explicit CSpecialUrlChain(IBrowserHost& host);
  ~CSpecialUrlChain();
  CSpecialUrlChain(const CSpecialUrlChain&) = delete;
  CSpecialUrlChain& operator=(const CSpecialUrlChain&) = delete;

  // Runs the handlers in order; true when one took the URL, which must then
  // not be loaded. owner (may be null) hears of a place link taken.
  bool Take(const std::string& url, IBrowserOwner* owner);

  bool HandlePlaceUrl(const std::string& url, IBrowserOwner* owner);
  bool HandleSlotUrl(const std::string& url);
  bool HandleInteractionUrl(const std::string& url);

  // Sends the queued items of the interaction with this id to recipient and
  // drops it from the queue; false when no queued interaction has the id.
  bool FindInteraction(const std::string& id, CZrPerson& recipient);
  size_t GetQueuedCount() const { return m_queue.size(); }

 private:
  IBrowserHost& m_host;
  std::list<std::unique_ptr<IBrowserInteraction>> m_queue;
};
