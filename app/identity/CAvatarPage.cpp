#include "CAvatarPage.h"

#include <algorithm>

#include "CAvatarGalleryDlg.h"
#include "CPaintDC.h"
#include "ImageLibraryRules.h"
#include "MessageMap.h"
#include "ModuleState.h"
#include "ZrSettings.h"

namespace {

constexpr int kBigFace = 150;
constexpr char kMoodLetters[] = {'b', 'c', 'd'};

bool LoadsAsPicture(const std::string& path) {
  CPicture picture;
  return !path.empty() && picture.LoadFile(path) && !picture.IsEmpty();
}

}  // namespace

BEGIN_MESSAGE_MAP(CAvatarPage, CDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(CAvatarPage::kChangeButton, OnChange)
END_MESSAGE_MAP()

CAvatarPage::CAvatarPage(CZrSettings& settings, COLORREF cellColour)
    : CDialog(kTemplateId), m_settings(settings), m_cellColour(cellColour) {
  m_choice.faces[0] = settings.m_normal;
  m_choice.faces[1] = settings.m_happy;
  m_choice.faces[2] = settings.m_angry;
  m_choice.faces[3] = settings.m_sad;
  m_choice.libraryFolder = settings.m_personPict;
  if (m_choice.faces[0].empty() || !m_face.LoadFile(m_choice.faces[0])) m_face = CPicture(kDefaultFace);
}

bool CAvatarPage::CreateIn(CWnd* sheet, bool useAvatarService) {
  if (!Create(kTemplateId, sheet)) return false;
  ::CheckRadioButton(m_hWnd, kStockRadio, kPersonalRadio, kStockRadio);
  if (useAvatarService) {
    for (int id : {kChangeButton, kStockRadio, kPersonalRadio}) ::EnableWindow(::GetDlgItem(m_hWnd, id), FALSE);
    return true;
  }
  ShowWindow(SW_SHOW);
  return true;
}

void CAvatarPage::OnPaint() {
  CPaintDC dc(this);
  RECT frame{};
  HWND frameWindow = ::GetDlgItem(m_hWnd, kFaceFrame);
  ::GetWindowRect(frameWindow, &frame);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&frame), 2);
  RECT place = frame;
  ::InflateRect(&place, -2, -2);
  place.right = std::min<LONG>(place.right, place.left + std::max(1, m_face.Width()));
  place.bottom = std::min<LONG>(place.bottom, place.top + std::max(1, m_face.Height()));
  m_face.Draw(&dc, place);
}

void CAvatarPage::OnChange() {
  const bool stock = ::IsDlgButtonChecked(m_hWnd, kStockRadio) == BST_CHECKED;
  CAvatarGalleryRequest request;
  request.title = AfxLoadString(stock ? kStockTitle : kPersonalTitle);
  request.startFolder = stock ? m_settings.m_pictures : m_settings.m_personPict;
  request.defaultFolder = m_settings.m_pictures;
  request.libraryMode = true;
  request.cell = m_settings.m_bigFaces == 1 ? ImageCell{kBigFace, kBigFace} : ImageCell{48, 64};
  request.cellBackground = m_cellColour;
  CAvatarGalleryDlg gallery(request, this);
  if (gallery.DoModal() != IDOK || gallery.GetChosenFile().empty()) return;
  Take(stock, gallery.GetChosenFile(), gallery.GetChosenFolder());
}

void CAvatarPage::Take(bool stock, const std::string& file, const std::string& folder) {
  m_choice.faces[0] = file;
  for (int mood = 1; mood < 4; ++mood) {
    const std::string derived = stock ? StockMoodFile(file, kMoodLetters[mood - 1]) : std::string();
    m_choice.faces[mood] = LoadsAsPicture(derived) ? derived : std::string();
  }
  m_choice.libraryFolder = stock ? m_settings.m_personPict : folder;
  CPicture face;
  m_face = face.LoadFile(file) ? face : CPicture(kDefaultFace);
  m_changed = true;
  Invalidate();
}
