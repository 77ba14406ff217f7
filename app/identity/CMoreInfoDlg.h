// "More Info": a person's "About Me" texts (gender, hobbies, occupation,
// personal quote), opened by the person's identity dialog when they arrive.
// Modeless; closing it tells the identity dialog, which deletes it.
#pragma once
#include <functional>
#include <string>

#include "CDialog.h"
#include "CIdentityLook.h"
#include "CPayload.h"
#include "Picture.h"

class CMoreInfoDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 122;
  static constexpr int kOccupation = 1074;
  static constexpr int kQuote = 1073;
  static constexpr int kHobbies = 1075;
  static constexpr int kGender = 1076;

  CMoreInfoDlg(const std::string& title, const CIdentityTexts& texts, const CPicture& face,
               std::function<void()> closed);
  ~CMoreInfoDlg() override;

  // Makes and shows the dialog next to the window (the identity dialog);
  // false when it could not be made.
  bool Open(HWND owner, HWND nextTo);
  void SetFace(const CPicture& face);

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnPaint();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  std::string m_title;
  CIdentityTexts m_texts;
  CPicture m_face;
  std::function<void()> m_closed;
  CIdentityLook m_look;
  bool m_deleting = false;
};
