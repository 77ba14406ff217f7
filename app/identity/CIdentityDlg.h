// "Identity": a person's face, nickname, name, location and e-mail, with
// Send IM, Ignore, IP Address (moderators only) and More Info, which asks
// the person for the "About Me" texts and shows them in a More Info dialog
// when they arrive. Modeless, owned by the main window and kept in the
// person state list, one per person; closing it removes it from the list
// and deletes it, and deleting it closes its window and its More Info.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "CDialog.h"
#include "CIdentityLook.h"
#include "CMoreInfoDlg.h"
#include "CPayload.h"
#include "IPersonDialog.h"
#include "Picture.h"
#include "ZrIdentityText.h"

class IIdentityHost;

// What the dialog shows of the person.
struct CIdentityPerson {
  uint32_t id = 0;
  std::string nickname;
  std::string name;
  std::string location;
  std::string email;
  // IPv4, first byte lowest.
  uint32_t address = 0;
  bool ignored = false;
  bool mayReceiveIms = true;
  // Screen rectangle of the person's avatar window; empty when none.
  ZrRect placement;
};

class CIdentityDlg : public CDialog, public IPersonDialog {
 public:
  static constexpr UINT kTemplateId = 103;
  static constexpr int kNicknameValue = 1014;
  static constexpr int kNameValue = 1015;
  static constexpr int kLocationValue = 1017;
  static constexpr int kEmailValue = 1020;
  static constexpr int kIgnoreCheck = 1037;
  static constexpr int kSendImButton = 1038;
  static constexpr int kIpAddressButton = 1049;
  static constexpr int kMoreInfoButton = 1068;
  // Shown until the person's face arrives.
  static constexpr UINT kDefaultFace = 486;

  CIdentityDlg(IIdentityHost& host, const CIdentityPerson& person);
  ~CIdentityDlg() override;

  // Makes and shows the dialog and asks for the person's face; false when
  // it could not be made.
  bool Open();
  // The person's "About Me" texts, shown in a More Info dialog once the
  // dialog takes its message; false when they could not be posted.
  bool PostIdentityTexts(const CIdentityTexts& texts);
  // The Ignore box follows an ignore state changed elsewhere (the people
  // page, the locate dialog).
  void SetIgnored(bool ignored);
  // The open More Info dialog, or null.
  CMoreInfoDlg* GetMoreInfo() const { return m_moreInfo.get(); }

  // IPersonDialog
  void Raise() override;
  void SetPicture(const CTvlBlob& picture) override;

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnPaint();
  void OnDestroy();
  void PostNcDestroy() override;
  void OnSendIm();
  void OnIgnore();
  void OnIpAddress();
  void OnMoreInfo();
  LRESULT OnIdentityData(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  void PlaceOnDesktop();
  void OnMoreInfoClosed();

  IIdentityHost& m_host;
  CIdentityPerson m_person;
  std::string m_captionName;
  CPicture m_face;
  CIdentityLook m_look;
  std::unique_ptr<CMoreInfoDlg> m_moreInfo;
  // A More Info request is out: from the click until its dialog closes.
  bool m_moreInfoAsked = false;
  bool m_deleting = false;
};
