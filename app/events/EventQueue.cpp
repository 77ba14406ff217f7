#include "EventQueue.h"

#include <algorithm>

std::optional<size_t> EventQueue::Add(uint32_t host, const std::string& text) {
  std::optional<EventQueueItem> item = ParseQueueItem(text);
  if (!item) return std::nullopt;
  m_entries.push_back(Entry{host, std::move(*item), false});
  return m_entries.size() - 1;
}

const EventQueue::Entry* EventQueue::Find(size_t index) const {
  if (index >= m_entries.size() || m_entries[index].deleted) return nullptr;
  return &m_entries[index];
}

bool EventQueue::Delete(size_t index) {
  if (!Find(index)) return false;
  m_entries[index].deleted = true;
  return true;
}

size_t EventQueue::LiveCount() const {
  return static_cast<size_t>(
      std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& entry) { return !entry.deleted; }));
}

std::string EventQueue::LineOf(const EventQueueItem& item) { return item.asker + " " + item.question; }
