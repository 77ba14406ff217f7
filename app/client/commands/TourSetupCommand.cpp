#include "TourSetupCommand.h"

#include <memory>

#include "CChatWnd.h"
#include "CClientPlace.h"
#include "CMyselfClient.h"
#include "CTourSetupDlg.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "PictureBlob.h"

namespace {

constexpr UINT kPossessiveString = 528;  // "'s "
constexpr UINT kTourWordString = 444;    // "tour"

// Leaves nothing when the user is in a group already.
bool GuideTour(CZrApp& app) {
  auto* myself = dynamic_cast<CMyselfClient*>(app.GetMyself());
  if (!myself || !myself->GetParent() || CClientPlace::IsLedGroup(myself->GetParent())) return false;
  const CZrSettings& settings = app.Settings();
  const int capacity = settings.m_tourCapacity > 2 ? 11 : 2;
  const std::string& path = capacity == 11 ? settings.m_tour11Picture : settings.m_tour2Picture;
  std::unique_ptr<CTvlBlob> picture;
  if (!path.empty()) picture = CPictureBlob::PictureBlobFromFile(path);
  myself->GoToPlace(settings.m_tourName, static_cast<uint16_t>(capacity), std::move(picture));
  return true;
}

}  // namespace

void RunTourSetup(CZrApp& app) {
  CZrSettings& settings = app.Settings();
  CTourSetupDlg::Owner owner;
  owner.save = [&settings](const CTourSetup::Saved& saved) {
    settings.m_tourCapacity = saved.capacity;
    settings.m_tourName = saved.name;
    settings.m_tourNameIsDefault = saved.noName ? 1 : 0;
    settings.m_tour2Picture = saved.smallPicture;
    settings.m_tour11Picture = saved.largePicture;
    settings.Save(true);
  };
  owner.defaultName = [&settings] {
    return settings.m_nickName + AfxLoadString(kPossessiveString) + AfxLoadString(kTourWordString);
  };
  owner.toursFolder = [&settings] { return settings.m_tours; };
  owner.setToursFolder = [&settings](const std::string& folder) { settings.m_tours = folder; };
  owner.guideTour = [&app] { return GuideTour(app); };
  const std::string name = settings.m_tourNameIsDefault ? std::string() : settings.m_tourName;
  CTourSetupDlg dialog(app.MainFrame(), std::move(owner),
                       CTourSetup(settings.m_tourCapacity, name, settings.m_tour2Picture, settings.m_tour11Picture));
  app.Boxes().RunWithMainWindowsDisabled([&dialog] { return static_cast<int>(dialog.DoModal()); });
}
