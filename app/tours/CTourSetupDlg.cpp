#include "CTourSetupDlg.h"

#include <commdlg.h>

#include <algorithm>

#include "CDC.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kTourTitleString = 206;     // "Lumora Chat Tour"
constexpr UINT kCannotChangeString = 197;  // "Can not change the tour picture."
constexpr UINT kSelectFirstString = 182;   // "Please select a tour before saving settings."
constexpr UINT kNoFirstString = 199;
constexpr int kCaptionHeight = 16;
constexpr int kInset = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CTourSetupDlg, CDialog)
  ON_EN_CHANGE(CTourSetupDlg::kNameEdit, OnNameChanged)
  ON_BN_CLICKED(CTourSetupDlg::kSmallRadio, OnSmall)
  ON_BN_CLICKED(CTourSetupDlg::kLargeRadio, OnLarge)
  ON_BN_CLICKED(CTourSetupDlg::kChange, OnChange)
  ON_CONTROL(STN_CLICKED, CTourSetupDlg::kSmallPreview, OnSmall)
  ON_CONTROL(STN_CLICKED, CTourSetupDlg::kLargePreview, OnLarge)
  ON_CONTROL(STN_DBLCLK, CTourSetupDlg::kSmallPreview, OnPreviewDoubleClick)
  ON_CONTROL(STN_DBLCLK, CTourSetupDlg::kLargePreview, OnPreviewDoubleClick)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CTourSetupDlg::CTourSetupDlg(CWnd* parent, Owner owner, CTourSetup setup)
    : CDialog(kTemplateId, parent), m_owner(std::move(owner)), m_setup(std::move(setup)) {}

bool CTourSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kNameEdit, m_setup.GetName());
  CreatePreviews();
  LoadPicture(CTourSetup::kSmall);
  LoadPicture(CTourSetup::kLarge);
  Select(m_setup.Selected());
  return true;
}

// Both previews fill the picture area, 2 pixels inside its frame; only the
// selected one shows.
void CTourSetupDlg::CreatePreviews() {
  const HWND area = GetDlgItem(kPictureArea)->m_hWnd;
  RECT rect;
  ::GetWindowRect(area, &rect);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  ::InflateRect(&rect, -kInset, -kInset);
  for (int capacity : {CTourSetup::kSmall, CTourSetup::kLarge}) {
    const int id = capacity == CTourSetup::kLarge ? kLargePreview : kSmallPreview;
    ::CreateWindowExA(0, "Static", m_setup.CaptionOf(capacity).c_str(), WS_CHILD | SS_OWNERDRAW | SS_NOTIFY,
                      rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SetWindowPos(::GetDlgItem(m_hWnd, id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void CTourSetupDlg::LoadPicture(int capacity) {
  CPicture& picture = capacity == CTourSetup::kLarge ? m_largePicture : m_smallPicture;
  picture = CPicture();
  const std::string& path = m_setup.PictureOf(capacity);
  if (!path.empty()) picture.LoadFile(path);
}

void CTourSetupDlg::Select(int capacity) {
  m_setup.Select(capacity);
  ::CheckRadioButton(m_hWnd, kSmallRadio, kLargeRadio, capacity == CTourSetup::kLarge ? kLargeRadio : kSmallRadio);
  const HWND small = ::GetDlgItem(m_hWnd, kSmallPreview);
  const HWND large = ::GetDlgItem(m_hWnd, kLargePreview);
  ::ShowWindow(small, capacity == CTourSetup::kSmall ? SW_SHOW : SW_HIDE);
  ::ShowWindow(large, capacity == CTourSetup::kLarge ? SW_SHOW : SW_HIDE);
  ::InvalidateRect(capacity == CTourSetup::kLarge ? large : small, nullptr, TRUE);
}

void CTourSetupDlg::OnNameChanged() {
  m_setup.SetName(GetDlgItemText(kNameEdit));
  // The previews are named by their window text too, so that they can be found.
  for (int capacity : {CTourSetup::kSmall, CTourSetup::kLarge}) {
    const HWND preview = ::GetDlgItem(m_hWnd, capacity == CTourSetup::kLarge ? kLargePreview : kSmallPreview);
    ::SetWindowTextA(preview, m_setup.CaptionOf(capacity).c_str());
    ::InvalidateRect(preview, nullptr, TRUE);
  }
}

// The picture above, the caption below, on white.
void CTourSetupDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != kSmallPreview && id != kLargePreview) return;
  const int capacity = id == kLargePreview ? CTourSetup::kLarge : CTourSetup::kSmall;
  RECT rect = item->rcItem;
  ::FillRect(item->hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  RECT pictureRect = rect;
  pictureRect.bottom -= kCaptionHeight;
  CPicture& picture = capacity == CTourSetup::kLarge ? m_largePicture : m_smallPicture;
  if (!picture.IsEmpty()) {
    const int width = std::min<int>(picture.Width(), pictureRect.right - pictureRect.left);
    const int height = std::min<int>(picture.Height(), pictureRect.bottom - pictureRect.top);
    RECT centred = {(rect.left + rect.right - width) / 2, pictureRect.top + (pictureRect.bottom - pictureRect.top - height) / 2,
                    0, 0};
    centred.right = centred.left + width;
    centred.bottom = centred.top + height;
    picture.Draw(CDC::FromHandle(item->hDC), centred);
  }
  RECT captionRect = rect;
  captionRect.top = rect.bottom - kCaptionHeight;
  ::SetBkMode(item->hDC, TRANSPARENT);
  const std::string caption = m_setup.CaptionOf(capacity);
  ::DrawTextA(item->hDC, caption.c_str(), -1, &captionRect, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CTourSetupDlg::OnChange() {
  if (m_setup.Selected() == CTourSetup::kNone) {
    MessageBoxIds3Info(kTourTitleString, kCannotChangeString, kNoFirstString);
    return;
  }
  char path[MAX_PATH] = {};
  const std::string folder = m_owner.toursFolder();
  const std::string filter = std::string("Pictures (*.gif,*.bmp)") + '\0' + "*.gif;*.bmp" + '\0' + "All Files (*.*)" +
                             '\0' + "*.*" + '\0' + '\0';
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = m_hWnd;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = "Tour Garage";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameA(&dialog)) return;
  m_setup.SetPicture(path);
  LoadPicture(m_setup.Selected());
  const std::string chosen(path);
  m_owner.setToursFolder(chosen.substr(0, chosen.find_last_of('\\')));
  Select(m_setup.Selected());
}

bool CTourSetupDlg::SaveChoices() {
  const std::optional<CTourSetup::Saved> saved = m_setup.Save(m_owner.defaultName());
  if (!saved) {
    MessageBoxIds3Info(kTourTitleString, kSelectFirstString, kNoFirstString);
    return false;
  }
  m_owner.save(*saved);
  return true;
}

void CTourSetupDlg::OnOK() {
  if (SaveChoices()) CDialog::OnOK();
}

void CTourSetupDlg::OnPreviewDoubleClick() {
  if (SaveChoices()) m_owner.guideTour();
  EndDialog(IDOK);
}
