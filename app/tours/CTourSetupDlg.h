// "Tour Setup": the vehicle the user guides tours with (2 or 11 passengers),
// the tour's name and each vehicle's picture from the tours folder. OK saves
// them; the vehicle dropped on the user's own avatar, or double-clicked,
// saves them and starts guiding.
#pragma once

#include <functional>
#include <string>

#include "CDialog.h"
#include "Picture.h"
#include "TourSetup.h"

class CTourLeaderWnd;

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
    // Whether the user may start guiding now (it is in no group).
    std::function<bool()> mayGuide;
    // Starts guiding a tour; false when the user cannot now.
    std::function<bool()> guideTour;
    // Whether the screen point lies on the user's own avatar.
    std::function<bool(POINT)> overOwnAvatar;
    // The built-in picture of a vehicle without its own.
    std::function<CPicture(int capacity)> vehiclePicture;
  };

  CTourSetupDlg(CWnd* parent, Owner owner, CTourSetup setup);
  ~CTourSetupDlg() override;

  const CTourSetup& Setup() const { return m_setup; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnNameChanged();
  void OnSmall() { Select(CTourSetup::kSmall); }
  void OnLarge() { Select(CTourSetup::kLarge); }
  void OnChange();

  DECLARE_MESSAGE_MAP()

 private:
  void CreatePreviews();
  CTourLeaderWnd* PreviewOf(int capacity) const;
  void Select(int capacity);
  void LoadPicture(int capacity);
  bool SaveChoices();
  void OnPreviewDropped();
  void OnPreviewDoubleClick();

  Owner m_owner;
  CTourSetup m_setup;
  CTourLeaderWnd* m_smallPreview = nullptr;
  CTourLeaderWnd* m_largePreview = nullptr;
};
