// The moderator's queue of questions and comments that hosts sent. Items
// keep their index for the whole queue; a deleted item stays in place,
// marked, so the indexes the list lines carry stay valid.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "AuditoriumTexts.h"

class EventQueue {
 public:
  struct Entry {
    uint32_t host = 0;  // who sent the item
    EventQueueItem item;
    bool deleted = false;
  };

  // Adds the item of a queue text from the host; its index, or nothing when
  // the text is not a queue item.
  std::optional<size_t> Add(uint32_t host, const std::string& text);
  // The entry at the index; null when there is none or it was deleted.
  const Entry* Find(size_t index) const;
  // Marks the entry deleted; false when there was no live entry.
  bool Delete(size_t index);
  size_t LiveCount() const;

  // The list line of an item: the asker's name, a blank and the question.
  static std::string LineOf(const EventQueueItem& item);

 private:
  std::vector<Entry> m_entries;
};
