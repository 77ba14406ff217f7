#include "ZrPlaceContent.h"

#include <utility>

bool CZrPlaceContent::SetString(int32_t kind, std::string value) {
  std::string* slot = StringOf(kind);
  if (!slot) return false;
  *slot = std::move(value);
  return true;
}

const std::string& CZrPlaceContent::OwnTitleName(const std::string& displayName,
                                                 const std::string& nickname) const {
  return m_useDisplayName != 0 ? displayName : nickname;
}

void CZrPlaceContent::Reset() { *this = CZrPlaceContent(); }

std::string* CZrPlaceContent::StringOf(int32_t kind) {
  switch (kind) {
    case kPlaceText1000: return &m_text1000;
    case kCurrentPage: return &m_currentPage;
    case kPlaceText1003: return &m_text1003;
    case kWebHelpPage: return &m_webHelpPage;
    case kReleaseNotesPage: return &m_releaseNotesPage;
    case kHomePage: return &m_homePage;
    case kPlaceText1007: return &m_text1007;
    case kLoginBase: return &m_loginBase;
    case kPlaceText1011: return &m_text1011;
    case kPlaceText1012: return &m_text1012;
    case kWordList: return &m_wordList;
    case kCommunityPage2: return &m_communityPage2;
    case kCommunityPage: return &m_communityPage;
    case kServiceLinks: return &m_serviceLinks;
    default: return nullptr;
  }
}
