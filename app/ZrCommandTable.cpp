#include "ZrCommandTable.h"

#include <iterator>

#include "resource.h"

namespace {

using T = ZrCommandTarget;
using R = ZrCommandRule;

constexpr ZrDeferredCommand kDeferred[] = {
    {ID_BRAND_BUTTON, T::kPageFrame, R::kAlways},
    {ID_GO_BACK, T::kPageFrame, R::kRunning},
    {ID_GO_FORWARD, T::kPageFrame, R::kRunning},
    {ID_RELOAD, T::kPageFrame, R::kRunning},
    {ID_STOP, T::kPageFrame, R::kRunning},
    {ID_COMMUNITY_CENTER, T::kPageFrame, R::kRunning},
    {ID_COMMUNITY_CENTER2, T::kPageFrame, R::kRunning},
    {ID_RELEASE_NOTES, T::kPageFrame, R::kPlaced},
    {ID_GO_HOME, T::kNavigation, R::kRunning},
    {ID_GO_TO_PLACE, T::kNavigation, R::kRunningNotConnected},
    {ID_SYNC_TOUR, T::kOwnUser, R::kReadyConnected},
    {ID_SYNC_GAME, T::kOwnUser, R::kReadyConnected},
    {ID_GUIDE_TOUR, T::kOwnUser, R::kReadyConnected},
    {ID_START_GAME, T::kOwnUser, R::kReadyConnected},
    {ID_ENTER_LEAVE, T::kOwnUser, R::kReadyConnected},
    {ID_EDIT_CLEAR_ALL, T::kChatPages, R::kAlways},
    {ID_EDIT_COPY, T::kChatPages, R::kAlways},
    {ID_EDIT_CUT, T::kChatPages, R::kAlways},
    {ID_EDIT_PASTE, T::kChatPages, R::kAlways},
    {ID_EDIT_UNDO, T::kChatPages, R::kAlways},
    {ID_SAVE_TRANSCRIPT, T::kChatPages, R::kRunning},
    {ID_CLOSE_IM, T::kChatPages, R::kRunning},
    {ID_TOUR_SETUP, T::kDialogs, R::kRunning},
    {ID_SEND_IM, T::kDialogs, R::kConnected},
    {ID_COMMUNITY_SERVERS, T::kDialogs, R::kAlways},
    {ID_PREFERENCES, T::kDialogs, R::kAlways},
    {ID_ABOUT, T::kDialogs, R::kAlways},
    {ID_EDIT_IDENTITY, T::kDialogs, R::kAlways},
    {ID_BROADCAST, T::kDialogs, R::kConnected},
    {ID_INVITEE_SELECTION, T::kDialogs, R::kConnected},
    {ID_LOCATE, T::kDialogs, R::kConnected},
    {ID_CALL_PROGRAM, T::kDialogs, R::kAlways},
    {ID_OPEN_LOCATION, T::kDialogs, R::kAlways},
    {ID_PRIVATE_ROOM, T::kDialogs, R::kNotAuditorium},
    {ID_QUICK_DIRECTORY, T::kPlacesManager, R::kConnected},
    {ID_ORGANIZE_FAVORITES, T::kPlacesManager, R::kConnected},
    {ID_FAVORITES, T::kFavourites, R::kRunning},
    {ID_ADD_FAVORITE, T::kFavourites, R::kConnected},
    {ID_GO_TO_FAVORITE, T::kFavourites, R::kAlways},
    {ID_SHOW_ROW, T::kAuditorium, R::kAuditorium},
    {ID_PARTICIPATE, T::kAuditorium, R::kAuditorium},
    {ID_DOWNLOAD_TRANSCRIPT, T::kAuditorium, R::kAuditorium},
    {ID_AUDITORIUM_MAP, T::kAuditorium, R::kAuditorium},
    {ID_AUDITORIUM_MAP2, T::kAuditorium, R::kAuditorium},
    {ID_FIND_SEAT, T::kAuditorium, R::kAuditorium},
    {ID_STAGE_BACKGROUND, T::kAuditorium, R::kAuditorium},
    {ID_UNINVITE_ALL, T::kAuditorium, R::kAlways},
    {ID_SHOW_AVATARS, T::kAvatars, R::kConnected},
    {ID_MOOD_NORMAL, T::kAvatars, R::kConnected},
    {ID_MOOD_HAPPY, T::kAvatars, R::kConnected},
    {ID_MOOD_ANGRY, T::kAvatars, R::kConnected},
    {ID_MOOD_SAD, T::kAvatars, R::kConnected},
    {ID_FLIP_HORIZONTAL, T::kAvatars, R::kConnected},
    {ID_FLIP_VERTICAL, T::kAvatars, R::kConnected},
};

}  // namespace

const ZrDeferredCommand* FindDeferredCommand(uint32_t id) {
  for (const ZrDeferredCommand& command : kDeferred) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

// Every rule but "always" fails while the application does not run.
bool CommandRuleHolds(ZrCommandRule rule, const ZrCommandState& state) {
  const bool connected = state.running && state.connected;
  switch (rule) {
    case R::kAlways:
      return true;
    case R::kRunning:
      return state.running;
    case R::kPlaced:
      return state.running && state.placed;
    case R::kConnected:
      return connected;
    case R::kReadyConnected:
      return connected && state.indicatorReady;
    case R::kReady:
      return state.running && state.indicatorReady;
    case R::kAuditorium:
      return connected && state.auditorium;
    case R::kNotAuditorium:
      return connected && !state.auditorium;
    case R::kRunningNotConnected:
      return state.running && !state.connected;
  }
  return false;
}
