// "Basic Info": the page of the identity sheet with the local user's
// nickname, name, location and e-mail. The nickname cannot change while
// connected, nor the name while the server gives the names; name, location
// and e-mail are cut to kBasicInfoMaxChars as they are typed.
#pragma once
#include "CBasicInfoValues.h"
#include "CPropertyPage.h"

class CBasicInfo : public CPropertyPage {
 public:
  static constexpr UINT kTemplateId = 121;
  static constexpr int kNicknameEdit = 1083;
  static constexpr int kNameEdit = 1066;
  static constexpr int kLocationEdit = 1067;
  static constexpr int kEmailEdit = 1082;

  CBasicInfo(const CBasicInfoValues& values, bool connected, bool namesFromServer);

  // The texts of the edits (the ones the page was made with before it has
  // a window).
  CBasicInfoValues Values();

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnNameChange() { CutEdit(kNameEdit); }
  void OnLocationChange() { CutEdit(kLocationEdit); }
  void OnEmailChange() { CutEdit(kEmailEdit); }

  DECLARE_MESSAGE_MAP()

 private:
  void CutEdit(int id);

  CBasicInfoValues m_values;
  bool m_connected;
  bool m_namesFromServer;
};
