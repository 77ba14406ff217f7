#include "CTourSetupDlg.h"

#include <commdlg.h>

#include "CTourLeaderWnd.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kTourTitleString = 206;     // "Lumora Chat Tour"
constexpr UINT kCannotChangeString = 197;  // "Can not change the tour picture."
constexpr UINT kSelectFirstString = 182;   // "Please select a tour before saving settings."
constexpr UINT kNoFirstString = 199;
constexpr int kInset = 2;
// Vehicle pictures are of this size (the tours folder's gallery shows them so).
constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 75;

}  // namespace

BEGIN_MESSAGE_MAP(CTourSetupDlg, CDialog)
  ON_EN_CHANGE(CTourSetupDlg::kNameEdit, OnNameChanged)
  ON_BN_CLICKED(CTourSetupDlg::kSmallRadio, OnSmall)
  ON_BN_CLICKED(CTourSetupDlg::kLargeRadio, OnLarge)
  ON_BN_CLICKED(CTourSetupDlg::kChange, OnChange)
END_MESSAGE_MAP()

CTourSetupDlg::CTourSetupDlg(CWnd* parent, Owner owner, CTourSetup setup)
    : CDialog(kTemplateId, parent), m_owner(std::move(owner)), m_setup(std::move(setup)) {}

// The previews' windows went with the dialog's.
CTourSetupDlg::~CTourSetupDlg() {
  for (CTourLeaderWnd* preview : {m_smallPreview, m_largePreview}) {
    if (preview) preview->SafeDelete();
  }
}

bool CTourSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kNameEdit, m_setup.GetName());
  CreatePreviews();
  Select(m_setup.Selected());
  return true;
}

CTourLeaderWnd* CTourSetupDlg::PreviewOf(int capacity) const {
  return capacity == CTourSetup::kLarge ? m_largePreview : m_smallPreview;
}

// Both previews are centred in the picture area, 2 pixels inside its frame;
// only the selected one shows. They carry their control ids and their
// captions as window texts, so that they can be found.
void CTourSetupDlg::CreatePreviews() {
  const HWND area = GetDlgItem(kPictureArea)->m_hWnd;
  RECT rect;
  ::GetWindowRect(area, &rect);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  ::InflateRect(&rect, -kInset, -kInset);
  CTourLeaderWnd::Owner owner;
  owner.overOwnAvatar = m_owner.overOwnAvatar;
  owner.dropped = [this](int) { OnPreviewDropped(); };
  owner.doubleClicked = [this](int) { OnPreviewDoubleClick(); };
  for (int capacity : {CTourSetup::kSmall, CTourSetup::kLarge}) {
    auto* preview = new CTourLeaderWnd(capacity, kPictureWidth, kPictureHeight, owner);
    (capacity == CTourSetup::kLarge ? m_largePreview : m_smallPreview) = preview;
    const std::string caption = m_setup.CaptionOf(capacity);
    if (!preview->Create(this, rect.left, rect.top, CPicture(), true, caption, std::string())) continue;
    RECT own;
    ::GetWindowRect(preview->m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    ::SetWindowPos(preview->m_hWnd, HWND_TOP, (rect.left + rect.right - width) / 2,
                   (rect.top + rect.bottom - height) / 2, 0, 0, SWP_NOSIZE);
    ::SetWindowLongPtrA(preview->m_hWnd, GWLP_ID, capacity == CTourSetup::kLarge ? kLargePreview : kSmallPreview);
    ::SetWindowTextA(preview->m_hWnd, caption.c_str());
    LoadPicture(capacity);
  }
}

// The vehicle's own picture, else the built-in one.
void CTourSetupDlg::LoadPicture(int capacity) {
  CTourLeaderWnd* preview = PreviewOf(capacity);
  if (!preview || !preview->m_hWnd) return;
  const std::string& path = m_setup.PictureOf(capacity);
  if (path.empty() || !preview->SetPictureFile(path))
    preview->SetPicture(m_owner.vehiclePicture ? m_owner.vehiclePicture(capacity) : CPicture());
}

void CTourSetupDlg::Select(int capacity) {
  m_setup.Select(capacity);
  ::CheckRadioButton(m_hWnd, kSmallRadio, kLargeRadio, capacity == CTourSetup::kLarge ? kLargeRadio : kSmallRadio);
  for (int each : {CTourSetup::kSmall, CTourSetup::kLarge}) {
    CTourLeaderWnd* preview = PreviewOf(each);
    if (!preview || !preview->m_hWnd) continue;
    preview->ShowWindow(each == capacity ? SW_SHOW : SW_HIDE);
    if (each == capacity) preview->Invalidate();
  }
}

void CTourSetupDlg::OnNameChanged() {
  m_setup.SetName(GetDlgItemText(kNameEdit));
  for (int capacity : {CTourSetup::kSmall, CTourSetup::kLarge}) {
    CTourLeaderWnd* preview = PreviewOf(capacity);
    if (!preview || !preview->m_hWnd) continue;
    const std::string caption = m_setup.CaptionOf(capacity);
    preview->SetFirstLine(caption);
    ::SetWindowTextA(preview->m_hWnd, caption.c_str());
  }
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

// Dropped on the own avatar: a user in no group starts guiding with the
// choices made here.
void CTourSetupDlg::OnPreviewDropped() {
  if (!m_owner.mayGuide() || !SaveChoices()) return;
  m_owner.guideTour();
  EndDialog(IDOK);
}

void CTourSetupDlg::OnPreviewDoubleClick() {
  if (SaveChoices() && m_owner.mayGuide()) m_owner.guideTour();
  EndDialog(IDOK);
}
