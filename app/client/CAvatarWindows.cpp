#include "CAvatarWindows.h"

#include <windows.h>

#include "CChatWnd.h"
#include "CClientPlace.h"
#include "CMyselfClient.h"
#include "CMyselfWnd.h"
#include "CPersonStateList.h"
#include "CPresenceWnd.h"
#include "CSpyWnd.h"
#include "CZrApp.h"
#include "Picture.h"
#include "ZrKind.h"
#include "ZrPerson.h"

namespace {

constexpr uint32_t kStrIgnored = 466;

}  // namespace

CAvatarWindows::CAvatarWindows(CZrApp& app) : m_app(app), m_sizes(MakeAvatarSizes(false, 768)) {}

CAvatarWindows::~CAvatarWindows() { DestroyAll(); }

void CAvatarWindows::InitMetrics(bool bigAvatars) {
  m_sizes = MakeAvatarSizes(bigAvatars, ::GetSystemMetrics(SM_CYSCREEN));
}

void CAvatarWindows::Create(CZrPerson& person) {
  Destroy(person);
  CWnd* place = GetPlaceWnd();
  if (!place) return;
  auto* window = new CPresenceWnd(person, *this);
  const RECT rect{0, 0, m_sizes.avatar.width, m_sizes.avatar.height};
  if (!window->CreateMemberWindow(place, rect)) {
    delete window;
    return;
  }
  m_windows[&person] = window;
  window->UpdateVisibility(true);
}

CPresenceWnd* CAvatarWindows::Find(const CZrPerson& person) const {
  const auto found = m_windows.find(&person);
  return found == m_windows.end() ? nullptr : found->second;
}

void CAvatarWindows::Destroy(CZrPerson& person) {
  const auto found = m_windows.find(&person);
  if (found == m_windows.end()) return;
  CPresenceWnd* window = found->second;
  m_windows.erase(found);
  window->SafeDelete();
}

void CAvatarWindows::DestroyAll() {
  if (m_own) {
    m_own->SafeDelete();
    m_own = nullptr;
  }
  while (!m_windows.empty()) {
    CPresenceWnd* window = m_windows.begin()->second;
    m_windows.erase(m_windows.begin());
    window->SafeDelete();
  }
}

bool CAvatarWindows::EnsureOwn() {
  if (m_own) return true;
  CWnd* place = GetPlaceWnd();
  CZrPerson* myself = m_app.GetMyself();
  if (!place || !myself) return false;
  auto* own = new CMyselfWnd(*myself, *this);
  const RECT rect{0, 0, m_sizes.avatar.width, m_sizes.avatar.height};
  if (!own->CreateMemberWindow(place, rect)) {
    delete own;
    return false;
  }
  m_own = own;
  return true;
}

void CAvatarWindows::ShowOwn(bool show) {
  if (!show && !m_own) return;
  if (EnsureOwn()) m_own->SetShown(show);
}

void CAvatarWindows::LayoutOwn() {
  if (EnsureOwn()) m_own->UpdateVisibility(true);
}

void CAvatarWindows::RedrawAll() {
  for (CWnd* window : m_redrawn) {
    if (window->GetSafeHwnd()) window->Invalidate();
  }
}

CWnd* CAvatarWindows::GetPlaceWnd() const {
  CSpyWnd* frame = m_app.PageFrame().GetFrame();
  return frame && frame->GetSafeHwnd() ? frame : nullptr;
}

AvatarPage CAvatarWindows::GetPageArea() const {
  CSpyWnd* frame = m_app.PageFrame().GetFrame();
  if (!frame) return {0, 0, 0, 0};
  const CSpyWnd::PageArea& area = frame->GetPageArea();
  return {area.left, area.top, area.width, area.height};
}

bool CAvatarWindows::IsPageActive() const { return GetPlaceWnd() != nullptr; }

bool CAvatarWindows::IsIgnored(uint32_t person) const {
  CPersonStateList* states = m_app.GetPersonStateList();
  return states && states->GetState(person) != 0;
}

std::string CAvatarWindows::DisplayNameOf(const CZrObject& person) const {
  return m_app.PlaceLink().DisplayNameOf(person);
}

std::string CAvatarWindows::IgnoredText() const { return m_app.PlaceLink().LoadText(kStrIgnored); }

HMODULE CAvatarWindows::GetResourceModule() const { return m_app.Resources().Module(); }

CPicture* CAvatarWindows::GetSharedPicture(uint32_t bitmapId) {
  auto found = m_pictures.find(bitmapId);
  if (found == m_pictures.end()) {
    auto picture = std::make_unique<CPicture>();
    if (!picture->LoadResource(GetResourceModule(), bitmapId)) picture.reset();
    found = m_pictures.emplace(bitmapId, std::move(picture)).first;
  }
  return found->second.get();
}

bool CAvatarWindows::IsLocalModerator() const {
  CZrPerson* myself = m_app.GetMyself();
  return myself && ZrKindIsModerator(myself->GetKind());
}

void CAvatarWindows::MoveMyself(uint16_t x, uint16_t y) {
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself())) myself->MoveTo(CZrPosition::XY(x, y));
}

int32_t CAvatarWindows::GetIndicatorState() const { return static_cast<int32_t>(m_app.GetIndicatorState()); }

CWnd* CAvatarWindows::GetMainWnd() const { return m_app.MainFrame(); }

CNameBubble* CAvatarWindows::GetNameBubble() const {
  CChatWnd* main = m_app.MainFrame();
  return main ? main->GetNameBubble() : nullptr;
}

bool CAvatarWindows::IsMyselfInPlainGroup() const {
  CZrPerson* myself = m_app.GetMyself();
  const CZrGroup* parent = myself ? myself->GetParent() : nullptr;
  return parent && dynamic_cast<const CClientPlace*>(parent) && !CClientPlace::IsGame(parent);
}

COLORREF CAvatarWindows::GetColor(uint32_t index) const { return m_app.Resources().GetColor(index); }

void CAvatarWindows::OnAvatarWithdrawn() {
  m_app.PlaceLink().StopVoiceSession();
  m_app.PlaceLink().ClearVoiceSpeaker();
}

void CAvatarWindows::PaintBalloonTails(HWND window, HDC dc) {
  if (CChatWnd* main = m_app.MainFrame()) main->Balloons().PaintTails(window, dc);
}
