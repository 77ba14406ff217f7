#include "CColorButton2.h"

#include <algorithm>

#include "AppPalette.h"
#include "AvatarFile.h"
#include "ButtonDrawing.h"
#include "CDC.h"
#include "ControlResources.h"
#include "ModuleState.h"
#include "Picture.h"

namespace {

constexpr UINT kDefaultPicture = 282;
constexpr UINT kDisabledPicture = 286;
// The picture's square is at most this wide.
constexpr int kMaxPictureSide = 20;

}  // namespace

BEGIN_MESSAGE_MAP(CColorButton2, CButton)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CColorButton2::CColorButton2()
    : m_faceColour(::GetSysColor(COLOR_BTNFACE)), m_disabledPicture(std::make_unique<CPicture>()) {
  SetPicture("", "", "");
  m_disabledPicture->LoadResource(AfxGetResourceHandle(), kDisabledPicture, -1);
  SetResourceKeyColour(*m_disabledPicture);
}

CColorButton2::~CColorButton2() = default;

void CColorButton2::SetPicture(const std::string& name, const std::string& file,
                               const std::string& folder) {
  m_pictureName = name;
  m_picture = std::make_unique<CPicture>();
  if (!m_pictureName.empty() && !LoadAvatarStill(file, folder)) m_pictureName.clear();
  if (m_pictureName.empty()) {
    m_picture->LoadResource(AfxGetResourceHandle(), kDefaultPicture, -1);
  }
  SetResourceKeyColour(*m_picture);
  if (m_hWnd) Invalidate(false);
}

bool CColorButton2::LoadAvatarStill(const std::string& file, const std::string& folder) {
  CAvatarFile avatar;
  if (!avatar.Load(folder, file, CAvatarFile::kLoadStill)) return false;
  const std::vector<uint8_t>& still = avatar.GetStill();
  return m_picture->LoadMemory(still.data(), still.size()) != 0;
}

void CColorButton2::OnDestroy() {
  m_redrawEntry.Remove();
  Default();
}

void CColorButton2::DrawItem(LPDRAWITEMSTRUCT item) {
  // Buttons are usually taken over from a dialog after they exist, so the
  // first drawing is the first moment this object surely has its window.
  m_redrawEntry.Add(m_hWnd);
  CDC* dc = CDC::FromHandle(item->hDC);
  if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) DrawFace(*dc, *item);
  DrawButtonFocus(*dc, item->rcItem, (item->itemState & ODS_FOCUS) != 0, m_faceColour);
}

void CColorButton2::DrawFace(CDC& dc, const DRAWITEMSTRUCT& item) {
  const RECT& rect = item.rcItem;
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  dc.FillSolidRect(rect, m_faceColour);
  RECT edge = Shrunk(rect, 1);
  if (pressed) {
    DrawOutline(dc, edge, ::GetSysColor(COLOR_BTNSHADOW));
  } else {
    DrawRaisedEdge(dc, edge);
  }
  CPicture& picture = (item.itemState & ODS_DISABLED) ? *m_disabledPicture : *m_picture;
  if (picture.IsEmpty()) return;
  int side = std::min(picture.Width(), kMaxPictureSide);
  int shift = pressed ? 1 : 0;
  int x = rect.left + (rect.right - rect.left - side) / 2 + shift;
  int y = rect.top + (rect.bottom - rect.top - side) / 2 + shift;
  CAppPalette::Get().Select(&dc);
  picture.Draw(&dc, RECT{x, y, x + side, y + side});
  CAppPalette::Get().Restore(&dc);
}
