#include "ZrFavoriteNotice.h"

#include "ZrMessageBox.h"

namespace {

constexpr UINT kFavoritePlacesTitle = 260;
constexpr UINT kAlreadyAFavorite = 261;

}  // namespace

CTextListFile::DuplicateNotice ZrFavoriteDuplicateBox() {
  return [](const std::string& title, const std::string& address) {
    MessageBoxIds2(kFavoritePlacesTitle, kAlreadyAFavorite, title.c_str(), address.c_str());
  };
}
