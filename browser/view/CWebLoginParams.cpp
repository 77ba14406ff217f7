#include "CWebLoginParams.h"

#include "CZrUrlText.h"
#include "IWebLoginTarget.h"

namespace {

const char* const kPictureKeys[4] = {"Part1", "Part2", "Part3", "Part4"};

// The value of key in url, or empty when the key is absent.
std::string LookUp(const std::string& url, const char* key) {
  std::string value;
  if (!CZrUrlText::FindUrlParameter(url, key, 1, value)) value.clear();
  return value;
}

}  // namespace

void CWebLoginParams::Reset() {
  m_nickname.clear();
  m_password.clear();
  m_guest = 1;
  for (std::string& picture : m_pictures) picture.clear();
}

bool CWebLoginParams::Parse(const std::string& url) {
  Reset();
  if (!CZrUrlText::StartsWithTrimmed(kScheme, url)) return false;
  m_nickname = LookUp(url, "nickname");
  m_password = LookUp(url, "pswd");
  m_guest = LookUp(url, "Guest").empty() ? 0 : 1;
  m_f = CZrUrlText::EqualNoCase(LookUp(url, "f"), "yes") ? 1 : 0;
  for (int i = 0; i < 4; ++i) m_pictures[i] = LookUp(url, kPictureKeys[i]);
  CZrUrlText::UrlUnescape(m_nickname);
  return true;
}

bool CWebLoginParams::HasLoginValues() const { return !m_nickname.empty() || !m_password.empty() || m_guest == 0; }

void CWebLoginParams::Apply(IWebLoginTarget& target) const {
  target.SetLoginNick(m_nickname);
  target.SetIdentityNick(m_nickname);
  target.SetPassword(m_password);
  target.SetGuestFlag(m_guest != 0);
  target.SetFFlag(m_f != 0);
  target.SetSlotPictures(m_pictures[0], m_pictures[1], m_pictures[2], m_pictures[3]);
}
