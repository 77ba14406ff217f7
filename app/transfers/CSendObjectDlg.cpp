#include "CSendObjectDlg.h"

#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kCaptionString = 423;        // "Send File to "
constexpr UINT kNoFirstString = 199;
constexpr UINT kSpecifyString = 61235;      // "Please specify the name of the %s to send"
constexpr UINT kKindWords[] = {508, 509, 510};
constexpr UINT kNotFoundString = 155;
constexpr UINT kTooLargeString = 61230;     // "File %s (%.1f K) can not be sent; ..."
constexpr UINT kSendFileString = 61240;
constexpr UINT kWrongTypeString = 61244;
constexpr UINT kLargeFileString = 61248;
constexpr UINT kSelectString = 512;

constexpr int kEdits[] = {CSendObjectDlg::kFileEdit, CSendObjectDlg::kGestureEdit, CSendObjectDlg::kAvatarEdit};
constexpr int kBrowses[] = {CSendObjectDlg::kFileBrowse, CSendObjectDlg::kGestureBrowse,
                            CSendObjectDlg::kAvatarBrowse};
constexpr int kRadios[] = {CSendObjectDlg::kFileRadio, CSendObjectDlg::kGestureRadio, CSendObjectDlg::kAvatarRadio};

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string LowerExtension(const std::string& path) {
  std::string extension = SafeExtension(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

CSendObjectDlg* CSendObjectDlg::s_open = nullptr;

BEGIN_MESSAGE_MAP(CSendObjectDlg, CDialog)
  ON_BN_CLICKED(CSendObjectDlg::kFileRadio, OnKindChosen)
  ON_BN_CLICKED(CSendObjectDlg::kGestureRadio, OnKindChosen)
  ON_BN_CLICKED(CSendObjectDlg::kAvatarRadio, OnKindChosen)
  ON_BN_CLICKED(CSendObjectDlg::kFileBrowse, OnBrowseFile)
  ON_BN_CLICKED(CSendObjectDlg::kGestureBrowse, OnBrowseGesture)
  ON_BN_CLICKED(CSendObjectDlg::kAvatarBrowse, OnBrowseAvatar)
END_MESSAGE_MAP()

CSendObjectDlg::CSendObjectDlg(Owner owner, const std::string& recipientName, const std::string& presetPath)
    : CDialog(kTemplateId), m_owner(std::move(owner)), m_recipientName(recipientName), m_presetPath(presetPath) {}

CSendObjectDlg* CSendObjectDlg::Open(CWnd* parent, Owner owner, const std::string& recipientName,
                                     const std::string& presetPath) {
  if (s_open) return nullptr;
  auto* dialog = new CSendObjectDlg(std::move(owner), recipientName, presetPath);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return nullptr;
  }
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

// A preset path picks its kind: ".zra" a gesture, a small ".gif" or ".bmp"
// an avatar, anything else a file.
bool CSendObjectDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  SetWindowText(AfxLoadString(kCaptionString) + m_recipientName);
  TransferObjectKind kind = TransferObjectKind::kFile;
  if (!m_presetPath.empty()) {
    uint32_t size = 0;
    const std::string extension = LowerExtension(m_presetPath);
    if (extension == ".zra")
      kind = TransferObjectKind::kGesture;
    else if ((extension == ".gif" || extension == ".bmp") && m_owner.fileSize(m_presetPath, size) &&
             size <= kMaxAvatarSize)
      kind = TransferObjectKind::kAvatar;
  }
  Choose(kind);
  SetDlgItemText(kEdits[static_cast<int>(kind)], m_presetPath);
  return true;
}

TransferObjectKind CSendObjectDlg::ChosenKind() const {
  for (int kind = 0; kind < 3; ++kind) {
    if (::IsDlgButtonChecked(m_hWnd, kRadios[kind]) == BST_CHECKED) return static_cast<TransferObjectKind>(kind);
  }
  return TransferObjectKind::kFile;
}

void CSendObjectDlg::Choose(TransferObjectKind chosen) {
  ::CheckRadioButton(m_hWnd, kFileRadio, kAvatarRadio, kRadios[static_cast<int>(chosen)]);
  for (int kind = 0; kind < 3; ++kind) {
    const bool on = kind == static_cast<int>(chosen);
    GetDlgItem(kEdits[kind])->EnableWindow(on);
    GetDlgItem(kBrowses[kind])->EnableWindow(on);
    if (!on) SetDlgItemText(kEdits[kind], std::string());
  }
}

void CSendObjectDlg::OnKindChosen() { Choose(ChosenKind()); }

void CSendObjectDlg::OnBrowse(int edit) {
  char path[MAX_PATH] = {};
  const std::string title = AfxLoadString(kSelectString);
  const std::string filter = std::string("All Files (*.*) ") + '\0' + "*.*" + '\0' + '\0';
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = m_hWnd;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (::GetOpenFileNameA(&dialog)) SetDlgItemText(edit, path);
}

// A gesture or avatar given by name alone lies in its folder.
std::string CSendObjectDlg::ChosenPath() const {
  const TransferObjectKind kind = ChosenKind();
  std::string path = Trim(GetDlgItemText(kEdits[static_cast<int>(kind)]));
  if (kind != TransferObjectKind::kFile && !path.empty() && path.find('\\') == std::string::npos) {
    std::string folder = m_owner.folder(kind);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    path = folder + path;
  }
  return path;
}

bool CSendObjectDlg::Check(const std::string& path, TransferObjectKind kind, uint32_t& size) {
  if (path.empty()) {
    MessageBoxIds2(kNoFirstString, kSpecifyString, AfxLoadString(kKindWords[static_cast<int>(kind)]).c_str());
    return false;
  }
  if (!m_owner.fileSize(path, size)) {
    MessageBoxIds2(kNoFirstString, kNotFoundString);
    return false;
  }
  if (size > kMaxTransferSize) {
    char text[600];
    std::snprintf(text, sizeof(text), (AfxLoadString(kSendFileString) + " : " + AfxLoadString(kTooLargeString)).c_str(),
                  path.c_str(), (size + 1024) / 1024.0, static_cast<int>(kMaxTransferSize / 1024));
    ::MessageBoxA(m_hWnd, text, "Send File", MB_OK);
    return false;
  }
  const std::string extension = LowerExtension(path);
  const bool wrongGesture = kind == TransferObjectKind::kGesture && extension != ".zra";
  const bool wrongAvatar = kind == TransferObjectKind::kAvatar &&
                           ((extension != ".gif" && extension != ".bmp") || size > kMaxAvatarSize);
  if (wrongGesture || wrongAvatar) {
    MessageBoxIds2(kNoFirstString, kWrongTypeString);
    return false;
  }
  if (size <= kAskAboveSize) return true;
  char text[512];
  std::snprintf(text, sizeof(text), AfxLoadString(kLargeFileString).c_str(),
                static_cast<int>(TransferKilobytes(size)));
  return ::MessageBoxA(m_hWnd, text, "Send File", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CSendObjectDlg::OnOK() {
  const std::string path = ChosenPath();
  uint32_t size = 0;
  if (!Check(path, ChosenKind(), size)) return;
  m_owner.offer(path, size);
  DestroyWindow();
}

void CSendObjectDlg::OnCancel() { DestroyWindow(); }

void CSendObjectDlg::PostNcDestroy() {
  s_open = nullptr;
  m_owner.ended();
  delete this;
}
