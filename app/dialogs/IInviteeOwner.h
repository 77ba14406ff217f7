// IInviteeOwner: what the "Event Invitee Selection" prompt asks of the
// application.
#pragma once
#include <string>

class IInviteeOwner {
 public:
  // Invite (or take back the invitation of) the guest of that name to the
  // event; only an event host's requests go out.
  virtual void Invite(const std::string& name) = 0;
  virtual void Uninvite(const std::string& name) = 0;
  // The prompt's window is gone.
  virtual void OnInviteeClosed() = 0;

 protected:
  ~IInviteeOwner() = default;
};
