// An event interaction that a page asked for in a URL, as the events code
// parsed it.
#pragma once

#include <string>

class CZrPerson;

class IBrowserInteraction {
 public:
  virtual ~IBrowserInteraction() = default;

  // Whether the URL named an interaction type.
  virtual bool IsValid() const = 0;
  // The interaction's identifier, by which an answering person finds it.
  virtual const std::string& GetId() const = 0;
  // Carries the interaction out; false when it must wait for its recipient.
  virtual bool Perform() = 0;
  // Sends the waiting items to the recipient who answered.
  virtual void SendItems(CZrPerson& recipient) = 0;
};
