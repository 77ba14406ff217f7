// What the people manager asks of the application: the identity windows,
// the commands it runs for the page, the avatar windows of persons and the
// settings it reads. The application implements it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "VoiceRoster.h"

class CDialog;

class IPeopleHost {
 public:
  // Whether the identity windows can be opened; while they cannot, the
  // Identity button and menu item are disabled.
  virtual bool CanOpenIdentity() const = 0;
  // The identity dialog of a person.
  virtual void OpenPersonIdentity(uint32_t id, const std::string& name) = 0;
  // The local user's identity sheet.
  virtual void OpenIdentitySheet() = 0;
  // The application's Find People and Send Instant Message commands.
  virtual void FindPeople() = 0;
  virtual void SendInstantMessage() = 0;
  // Runs a modal dialog with the main windows disabled; its result.
  virtual int RunModal(CDialog& dialog) = 0;

  // The person's avatar window flashes; false when the person has none.
  virtual bool FlashAvatar(uint32_t id) = 0;
  // A right click on a person's row goes to its avatar window (which opens
  // its own menu); false when the person has none.
  virtual bool ForwardRightClick(uint32_t id, POINT screen) = 0;
  // Whether the place shows its avatars.
  virtual bool AreAvatarsShown() const = 0;

  virtual std::string GetCommunityName() const = 0;
  // An entry of the resource library's product strings (0 and 1: the
  // broadcast panel's default texts).
  virtual std::string GetProductString(uint32_t index) const = 0;
  // A colour of the resource library (5: the local user's rows).
  virtual COLORREF GetColor(uint32_t index) const = 0;
  // The folder of the gesture files.
  virtual std::string GetGestureFolder() const = 0;
  // The setting of how many observers the list shows.
  virtual int32_t GetMaxObservers() const = 0;
  // The person's state in the voice conference of the place.
  virtual VoiceState GetVoiceState(uint32_t id) const = 0;
  // Whether the call program can be reached, and whether files may be sent.
  virtual bool CanCall() const = 0;
  virtual bool CanSendFiles() const = 0;
  // Whether a Send Object dialog is open (Send File... is then greyed).
  virtual bool IsSendDialogOpen() const = 0;
  // Send File... on a person: the send dialog for the person opens, or the
  // user is told why it cannot.
  virtual void SendFile(uint32_t id, const std::string& name) = 0;
  // Button index of the people tool bar: its command and its four faces
  // (hot, normal, disabled, pressed); false after the last.
  virtual bool GetToolButton(uint32_t index, UINT& command, UINT faces[4]) const = 0;

 protected:
  ~IPeopleHost() = default;
};
