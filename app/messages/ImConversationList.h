// The open instant-message conversations and the recipient look-ups of the
// Send Instant Message dialogs. A conversation lives from the first message
// sent or received until its page closes; the first message sent from the
// dialog waits as the pending text until the conversation page opens with
// the first reply. Portable: the place, the DDE session and the pages are
// reached through IImRoad.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "IImLookupClient.h"
#include "TvlBlob.h"

// What the conversation list sends and shows through.
class IImRoad {
 public:
  // Message type 5 to the member; false when it could not be sent.
  virtual bool SendIm(uint32_t recipient, const std::string& text, const CTvlBlob& payload) = 0;
  // The DDE notice of an outgoing instant message.
  virtual void PostOutgoingNotice(const std::string& text, const CTvlBlob& payload) = 0;
  // The numbered look-up of a name; its request number (0 when not sent).
  virtual uint32_t SendLookup(const std::string& name) = 0;
  // Shows a received message on the sender's conversation page; pending is
  // the local user's first message, shown above it when not empty.
  virtual void ShowIm(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
                      const std::string& pending) = 0;
  // "User %s not found." with the name.
  virtual void ShowNotFound(const std::string& name) = 0;

 protected:
  ~IImRoad() = default;
};

class CImConversationList {
 public:
  // A received text longer than this is cut to kCutLength characters.
  static constexpr size_t kLongestWhole = 800;
  static constexpr size_t kCutLength = 799;
  // The place code of a failed message that tells no one.
  static constexpr uint32_t kQuietFailure = 8;

  struct Conversation {
    uint32_t member = 0;
    std::string name;
    std::string pending;
  };

  explicit CImConversationList(IImRoad& road) : m_road(road) {}

  // From the Send Instant Message dialog: records the conversation (with
  // the text as its pending text) unless one exists, then sends.
  bool SendIm(uint32_t recipient, const std::string& name, const std::string& text, const CTvlBlob& payload);
  // From an open conversation page: sends without recording.
  bool SendToPage(uint32_t recipient, const std::string& text, const CTvlBlob& payload);
  // A received message: shown on its conversation's page.
  void OnImReceived(uint32_t sender, const std::string& text, const CTvlBlob& payload, const std::string& name);
  void CloseConversation(uint32_t member);
  void OnSendFailed(uint32_t member, uint32_t code);

  // Look-ups of the dialogs, by request number.
  uint32_t Lookup(const std::string& name, IImLookupClient& dialog);
  // Hands a reply to its dialog and drops the entry; false when no entry
  // has the number.
  bool OnLookupReply(uint32_t request, const std::vector<CImLookupResult>& results);
  void DropLookup(uint32_t request);

  const Conversation* Find(uint32_t member) const;
  size_t LookupCount() const { return m_lookups.size(); }
  void Clear();

  // The received text as it is shown.
  static std::string CutIncoming(const std::string& text);

 private:
  struct LookupEntry {
    uint32_t request = 0;
    std::string name;
    IImLookupClient* dialog = nullptr;
  };
  Conversation& Obtain(uint32_t member, const std::string& name, const std::string& pending);
  IImLookupClient* TakeLookup(uint32_t request);

  IImRoad& m_road;
  std::list<Conversation> m_conversations;
  std::list<LookupEntry> m_lookups;
};
