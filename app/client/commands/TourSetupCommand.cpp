#include "TourSetupCommand.h"

#include <memory>

#include "CChatWnd.h"
#include "CClientPlace.h"
#include "CMyselfClient.h"
#include "CMyselfWnd.h"
#include "CTourSetupDlg.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "PictureBlob.h"

namespace {

constexpr UINT kPossessiveString = 528;  // "'s "
constexpr UINT kTourWordString = 444;    // "tour"
// The built-in vehicle pictures.
constexpr UINT kSmallVehicle = 265;
constexpr UINT kLargeVehicle = 264;

}  // namespace

bool GuideTour(CZrApp& app) {
  auto* myself = dynamic_cast<CMyselfClient*>(app.GetMyself());
  if (!myself || !myself->GetParent()) return false;
  const CZrSettings& settings = app.Settings();
  const int capacity = settings.m_tourCapacity > 2 ? 11 : 2;
  const std::string& path = capacity == 11 ? settings.m_tour11Picture : settings.m_tour2Picture;
  std::unique_ptr<CTvlBlob> picture;
  if (!path.empty()) picture = CPictureBlob::PictureBlobFromFile(path);
  return myself->GoToPlace(settings.m_tourName, static_cast<uint16_t>(capacity), std::move(picture)) == 0;
}

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
  // Not from inside a tour or game.
  owner.mayGuide = [&app] {
    const CZrPerson* myself = app.GetMyself();
    return myself && !CClientPlace::IsLedGroup(myself->GetParent());
  };
  owner.guideTour = [&app] { return GuideTour(app); };
  owner.overOwnAvatar = [&app](POINT at) {
    const CMyselfWnd* own = app.Avatars().GetOwn();
    RECT rect{};
    return own && own->m_hWnd && ::IsWindowVisible(own->m_hWnd) && ::GetWindowRect(own->m_hWnd, &rect) &&
           ::PtInRect(&rect, at);
  };
  owner.vehiclePicture = [&app](int capacity) {
    CPicture picture;
    picture.LoadResource(app.Resources().Module(), capacity == CTourSetup::kSmall ? kSmallVehicle : kLargeVehicle);
    return picture;
  };
  const std::string name = settings.m_tourNameIsDefault ? std::string() : settings.m_tourName;
  CTourSetupDlg dialog(app.MainFrame(), std::move(owner),
                       CTourSetup(settings.m_tourCapacity, name, settings.m_tour2Picture, settings.m_tour11Picture));
  app.Boxes().RunWithMainWindowsDisabled([&dialog] { return static_cast<int>(dialog.DoModal()); });
}
