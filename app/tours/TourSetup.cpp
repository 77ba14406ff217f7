#include "TourSetup.h"

CTourSetup::CTourSetup(int storedCapacity, const std::string& name, const std::string& smallPicture,
                       const std::string& largePicture)
    : m_selected(storedCapacity > kSmall ? kLarge : kSmall),
      m_name(name),
      m_smallPicture(smallPicture),
      m_largePicture(largePicture) {}

void CTourSetup::Select(int capacity) {
  if (capacity == kSmall || capacity == kLarge || capacity == kNone) m_selected = capacity;
}

const std::string& CTourSetup::PictureOf(int capacity) const {
  return capacity == kLarge ? m_largePicture : m_smallPicture;
}

bool CTourSetup::SetPicture(const std::string& path) {
  if (m_selected == kNone) return false;
  (m_selected == kLarge ? m_largePicture : m_smallPicture) = path;
  return true;
}

std::string CTourSetup::CaptionOf(int capacity) const {
  return m_name.empty() ? "Tour for " + std::to_string(capacity) : m_name;
}

std::optional<CTourSetup::Saved> CTourSetup::Save(const std::string& defaultName) const {
  if (m_selected == kNone) return std::nullopt;
  std::string name = m_name;
  const size_t end = name.find_last_not_of(' ');
  name.erase(end == std::string::npos ? 0 : end + 1);
  const bool noName = name.empty();
  return Saved{m_selected, noName ? defaultName : name, noName, m_smallPicture, m_largePicture};
}
