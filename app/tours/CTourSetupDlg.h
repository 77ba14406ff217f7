// "Tour Setup": the vehicle the user guides tours with (2 or 11 passengers),
// the tour's name and each vehicle's picture from the tours folder. OK saves
// them; a double click on the vehicle saves them and starts guiding.
#pragma once

#include <functional>
#include <string>

#include "CDialog.h"
#include "Picture.h"
#include "TourSetup.h"

class CTourSetupDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 118;
  static constexpr int kNameEdit = 1006;
  static constexpr int kSmallRadio = 1050;
  static constexpr int kLargeRadio = 1051;
  static constexpr int kChange = 1004;
  static constexpr int kPictureArea = 1117;
  // The two vehicle previews inside the picture area.
  static constexpr int kSmallPreview = 1118;
  static constexpr int kLargePreview = 1119;

  struct Owner {
    // Keeps the saved choices in the settings.
    std::function<void(const CTourSetup::Saved&)> save;
    // "<user>'s tour": the name of a tour without one.
    std::function<std::string()> defaultName;
    // The tours folder, and a new one the user went to.
    std::function<std::string()> toursFolder;
    std::function<void(const std::string&)> setToursFolder;
    // Starts guiding a tour; false when the user cannot now.
    std::function<bool()> guideTour;
  };

  CTourSetupDlg(CWnd* parent, Owner owner, CTourSetup setup);

  const CTourSetup& Setup() const { return m_setup; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnNameChanged();
  void OnSmall() { Select(CTourSetup::kSmall); }
  void OnLarge() { Select(CTourSetup::kLarge); }
  void OnChange();
  void OnPreviewDoubleClick();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);

  DECLARE_MESSAGE_MAP()

 private:
  void CreatePreviews();
  void Select(int capacity);
  void LoadPicture(int capacity);
  bool SaveChoices();

  Owner m_owner;
  CTourSetup m_setup;
  CPicture m_smallPicture;
  CPicture m_largePicture;
};
