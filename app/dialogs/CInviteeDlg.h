// "Event Invitee Selection": the name of a guest (at most 16 characters) to
// invite to the event or to take the invitation back from. Invite and
// UnIvite are enabled while a name is typed. Modeless; it deletes itself
// when its window is gone. IsOpen() holds from its start until it is
// closed.
#pragma once
#include "CDialog.h"
#include "IInviteeOwner.h"

class CInviteeDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 492;
  static constexpr int kNameEdit = 1196;
  static constexpr int kInviteButton = 1195;
  static constexpr int kUninviteButton = 1194;
  static constexpr int kMaxNameChars = 16;

  // Shows a new prompt on parent; null when it could not be made.
  static CInviteeDlg* Open(CWnd* parent, IInviteeOwner& owner);
  static bool IsOpen() { return s_open; }

 protected:
  bool OnInitDialog() override;
  void OnNameChanged();
  void OnInvite();
  void OnUninvite();
  void OnCancel() override;
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  explicit CInviteeDlg(IInviteeOwner& owner) : CDialog(kTemplateId), m_owner(owner) {}
  void Close();

  static bool s_open;
  IInviteeOwner& m_owner;
};
