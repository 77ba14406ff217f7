// "Room is Full": the room the user wanted to enter is full. Go To (when a
// room like it can be offered), Places or Observe (stay as an observer).
// Modeless; it deletes itself when its window is gone. IsOpen() holds from
// its start until the window is gone or Go To was chosen.
#pragma once
#include "CDialog.h"
#include "IRoomFullOwner.h"

class CRoomFullDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 340;
  static constexpr int kText = 1048;
  static constexpr int kPlacesButton = 1140;
  static constexpr UINT kSimilarRoomString = 280;
  static constexpr UINT kFullString = 586;
  static constexpr UINT kTourTooLargeString = 585;

  // Shows a new prompt on parent; null when it could not be made.
  static CRoomFullDlg* Open(CWnd* parent, IRoomFullOwner& owner);
  static bool IsOpen() { return s_open; }
  // The text the prompt shows for these answers of its owner.
  static UINT TextId(bool similarRoom, bool tourTooLarge);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnPlaces();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  explicit CRoomFullDlg(IRoomFullOwner& owner) : CDialog(kTemplateId), m_owner(owner) {}

  static bool s_open;
  IRoomFullOwner& m_owner;
};
