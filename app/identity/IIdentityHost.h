// IIdentityHost: what a person's identity and More Info dialogs ask of the
// application: the person state list they are kept in, the naming option,
// the local user's rights and the requests that go out through the root
// place.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class IPersonDialog;

class IIdentityHost {
 public:
  // Shows full names instead of nicknames.
  virtual bool ShowsNames() = 0;
  // The local user is of a moderator class.
  virtual bool IsLocalModerator() = 0;
  // The window that owns the dialogs, and whether it is minimised.
  virtual HWND OwnerWindow() = 0;
  // The person's ignore state in the person state list.
  virtual void SetIgnored(uint32_t person, bool ignored) = 0;
  // The Send Instant Message dialog for the person.
  virtual void OpenSendIm(uint32_t person, const std::string& name) = 0;
  // Asks the server for the person's face, which comes to the dialog's
  // SetPicture.
  virtual void RequestFace(uint32_t person) = 0;
  // An identity request payload to the person; false when it was not sent.
  virtual bool SendIdentityRequest(uint32_t person) = 0;
  // The person state list forgets the dialog without deleting it: the
  // dialog's window is gone and it deletes itself.
  virtual void ForgetIdentityDialog(uint32_t person, IPersonDialog* dialog) = 0;

 protected:
  ~IIdentityHost() = default;
};
