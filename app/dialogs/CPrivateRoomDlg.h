// "Private Room": the name of a private room to create or enter (at most
// 100 characters). Modeless; it deletes itself when its window is gone.
// IsOpen() holds while it is.
#pragma once
#include "CDialog.h"
#include "IPrivateRoomOwner.h"

class CPrivateRoomDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 342;
  static constexpr int kText = 1048;
  static constexpr int kNameEdit = 1143;
  static constexpr size_t kMaxNameChars = 100;

  // Shows a new prompt on parent; null when it could not be made.
  static CPrivateRoomDlg* Open(CWnd* parent, IPrivateRoomOwner& owner);
  static bool IsOpen() { return s_open; }

 protected:
  bool OnInitDialog() override;
  void OnNameChanged();
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  explicit CPrivateRoomDlg(IPrivateRoomOwner& owner) : CDialog(kTemplateId), m_owner(owner) {}

  static bool s_open;
  IPrivateRoomOwner& m_owner;
};
