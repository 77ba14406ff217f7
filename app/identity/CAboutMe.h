// "About Me": the page of the identity sheet with the local user's gender,
// hobbies, occupation and personal quote, each edit limited to its length.
#pragma once
#include "CAboutMeValues.h"
#include "CPropertyPage.h"

class CAboutMe : public CPropertyPage {
 public:
  static constexpr UINT kTemplateId = 120;
  static constexpr int kGenderEdit = 1058;
  static constexpr int kHobbiesEdit = 1061;
  static constexpr int kOccupationEdit = 1064;
  static constexpr int kQuoteEdit = 1065;

  explicit CAboutMe(const CAboutMeValues& values);

  CAboutMeValues Values();

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CAboutMeValues m_values;
};
