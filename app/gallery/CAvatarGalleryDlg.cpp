#include "CAvatarGalleryDlg.h"

#include <algorithm>
#include <cctype>

#include "MessageMap.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kBlankText = 199;
constexpr UINT kBadFolderText = 469;
constexpr int kFolderFrame = 1039;
constexpr int kPicturesFrame = 1041;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// The process and its thread run raised while folders are read.
class CRaisedPriority {
 public:
  CRaisedPriority()
      : m_class(::GetPriorityClass(::GetCurrentProcess())), m_thread(::GetThreadPriority(::GetCurrentThread())) {
    ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  }
  ~CRaisedPriority() {
    ::SetThreadPriority(::GetCurrentThread(), m_thread);
    ::SetPriorityClass(::GetCurrentProcess(), m_class ? m_class : NORMAL_PRIORITY_CLASS);
  }
  CRaisedPriority(const CRaisedPriority&) = delete;
  CRaisedPriority& operator=(const CRaisedPriority&) = delete;

 private:
  DWORD m_class;
  int m_thread;
};

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAvatarGalleryDlg, CDialog)
  ON_WM_DESTROY()
  ON_MESSAGE(CAvatarGalleryDlg::kListMessage, OnListPictures)
  ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
  ON_CONTROL(CBN_SELCHANGE, CAvatarGalleryDlg::kDrives, OnDriveChanged)
  ON_LBN_SELCHANGE(CAvatarGalleryDlg::kPictures, OnPictureChanged)
  ON_LBN_DBLCLK(CAvatarGalleryDlg::kPictures, OnPictureDoubleClicked)
END_MESSAGE_MAP()

CAvatarGalleryDlg::CAvatarGalleryDlg(const CAvatarGalleryRequest& request, CWnd* parent)
    : CDialog(kTemplateId, parent),
      m_request(request),
      m_startFolder(NormaliseStartFolder(request.startFolder, request.defaultFolder)),
      m_folders([this](const std::string& folder) { FolderSelected(folder); }),
      m_pictures(request.cell, request.reference, !request.libraryMode, request.cellBackground) {}

CAvatarGalleryDlg::~CAvatarGalleryDlg() = default;

std::string CAvatarGalleryDlg::GetChosenFile() const {
  return m_chosen && !m_chosenName.empty() ? m_currentFolder + "\\" + m_chosenName : std::string();
}

std::string CAvatarGalleryDlg::GetChosenFolder() const {
  return m_chosen && !m_chosenName.empty() ? m_currentFolder : std::string();
}

// The folder as the system names it, in lower case; false when it cannot
// be entered. The working folder is left as it was.
bool CAvatarGalleryDlg::ResolveFolder(const std::string& folder, std::string& resolved) const {
  const std::string previous = CurrentDirectory();
  if (folder.empty() || !::SetCurrentDirectoryA(Upper(folder).c_str())) return false;
  resolved = Lower(CurrentDirectory());
  if (!previous.empty()) ::SetCurrentDirectoryA(previous.c_str());
  if (resolved.size() > 3 && resolved.back() == '\\') resolved.pop_back();
  return !resolved.empty();
}

bool CAvatarGalleryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_previousDirectory = CurrentDirectory();
  std::string folder;
  if (!ResolveFolder(m_startFolder, folder)) {
    if (!m_request.libraryMode) {
      MessageBoxIds2(kBlankText, kBadFolderText, m_startFolder.c_str());
      EndDialog(IDCANCEL);
      return true;
    }
    if (!ResolveFolder(NormaliseStartFolder(m_request.defaultFolder, ""), folder)) folder = Lower(CurrentDirectory());
    if (folder.empty()) folder = "c:";
  }
  m_drives.SubclassDlgItem(kDrives, this);
  m_pictures.SubclassDlgItem(kPictures, this);
  m_pictures.SetUpGrid();
  m_waitCursor = ::LoadCursor(nullptr, IDC_WAIT);
  ::ShowWindow(::GetDlgItem(m_hWnd, kModeButton), SW_HIDE);
  SetWindowText(m_request.title);
  if (m_request.libraryMode) {
    m_folders.Create(this, kFolders, true, 0);
  } else {
    HideFolderPanel();
  }
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  if (!m_request.libraryMode) {
    FolderSelected(folder);
    return true;
  }
  SetBusy(true);
  {
    CRaisedPriority raised;
    m_drives.Fill(this);
    m_drives.Select(folder[0]);
    m_folders.SelectDrive(folder[0]);
    m_folders.OpenPath(folder);
  }
  SetBusy(false);
  return true;
}

// Custom mode: the dialog narrows by the drive and folder panel.
void CAvatarGalleryDlg::HideFolderPanel() {
  const int shift = ChildRect(m_hWnd, kPicturesFrame).left - ChildRect(m_hWnd, kFolderFrame).left;
  for (int id : {kDrives, kFolders, kFolderFrame}) ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id == kDrives || id == kFolders || id == kFolderFrame || id == kFileText) continue;
    const RECT place = ChildRect(m_hWnd, id);
    ::SetWindowPos(child, nullptr, place.left - shift, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT own{};
  GetWindowRect(&own);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, own.right - own.left - shift, own.bottom - own.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void CAvatarGalleryDlg::OnDriveChanged() {
  if (m_busy) return;
  const char letter = m_drives.SelectedLetter();
  if (!letter) return;
  SetBusy(true);
  {
    CRaisedPriority raised;
    m_folders.SelectDrive(letter);
  }
  SetBusy(false);
}

// The folder is shown at once; its pictures are read once the dialog has
// painted.
void CAvatarGalleryDlg::FolderSelected(const std::string& folder) {
  ShowFolderText(folder);
  SetDlgItemText(kFileText, "");
  m_chosenName.clear();
  m_currentFolder = folder;
  m_folders.SetCurrent(folder);
  m_pictures.Clear();
  Invalidate();
  SetBusy(true);
  PostMessage(kListMessage);
}

void CAvatarGalleryDlg::ShowFolderText(const std::string& folder) {
  HWND field = ::GetDlgItem(m_hWnd, kFolderText);
  RECT client{};
  ::GetClientRect(field, &client);
  HDC dc = ::GetDC(field);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(field, WM_GETFONT, 0, 0)));
  const std::string shown = ShortenFolderText(folder, client.right - client.left, [dc](const std::string& text) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int32_t>(size.cx);
  });
  ::SelectObject(dc, old);
  ::ReleaseDC(field, dc);
  ::SetWindowTextA(field, shown.c_str());
}

LRESULT CAvatarGalleryDlg::OnListPictures(WPARAM, LPARAM) {
  {
    CRaisedPriority raised;
    m_pictures.ListFolder(m_currentFolder);
  }
  OnPictureChanged();
  SetBusy(false);
  return 0;
}

void CAvatarGalleryDlg::OnPictureChanged() {
  m_chosenName = m_pictures.SelectedName();
  SetDlgItemText(kFileText, m_chosenName);
}

void CAvatarGalleryDlg::OnPictureDoubleClicked() {
  if (m_pictures.SelectedName().empty()) {
    EndDialog(IDCANCEL);
    return;
  }
  OnOK();
}

void CAvatarGalleryDlg::OnOK() {
  if (m_busy) return;
  m_chosen = true;
  EndDialog(IDOK);
}

// While busy the controls take no input; clicks made meanwhile are dropped
// when it ends.
void CAvatarGalleryDlg::SetBusy(bool busy) {
  if (!busy && m_busy) {
    MSG message;
    while (::PeekMessageA(&message, m_hWnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
  }
  m_busy = busy;
  for (int id : {kDrives, kFolders, kPictures, static_cast<int>(IDOK), static_cast<int>(IDCANCEL), kModeButton}) {
    if (HWND control = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(control, busy ? FALSE : TRUE);
  }
  if (m_folders.m_hWnd) m_folders.EnableWindow(!busy);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::SetCursorPos(cursor.x, cursor.y);
}

LRESULT CAvatarGalleryDlg::OnSetCursor(WPARAM, LPARAM) {
  if (m_busy) {
    ::SetCursor(m_waitCursor);
    return TRUE;
  }
  return Default();
}

void CAvatarGalleryDlg::OnDestroy() {
  if (!m_previousDirectory.empty()) ::SetCurrentDirectoryA(m_previousDirectory.c_str());
  Default();
}
