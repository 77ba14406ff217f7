// The duration of a host's sanction (eject, gag or avatar ban): a choice of
// minutes from a list, or any number of minutes under "other", and a
// comment. OK ends with m_minutes and m_comment.
#pragma once
#include <string>

#include "CDialog.h"

class CDurationDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 116;
  static constexpr int kChoiceList = 1046;
  static constexpr int kMinutesEdit = 1047;
  static constexpr int kCommentEdit = 1179;
  enum Kind { kEject = 0, kGag = 1, kAvatar = 2 };
  // Minutes of the "forever" row.
  static constexpr int kForeverMinutes = 262800;

  // foreverOnly: the list offers "forever" alone (the caller then sends
  // duration 0 whatever the row gives).
  CDurationDlg(CWnd* parent, Kind kind, bool foreverOnly)
      : CDialog(kTemplateId, parent), m_kind(kind), m_foreverOnly(foreverOnly) {}

  int m_minutes = 60;
  std::string m_comment;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnChoiceChanged();

  DECLARE_MESSAGE_MAP()

 private:
  void FillChoices();
  bool IsOtherChosen() const;

  Kind m_kind;
  bool m_foreverOnly;
};
