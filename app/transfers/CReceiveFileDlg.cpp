#include "CReceiveFileDlg.h"

#include <commdlg.h>

#include <cstdio>

#include "CObjectTransfer.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kKindWords[] = {508, 509, 510};  // file, gesture, avatar
constexpr UINT kOfferingString = 418;           // "  is offering you the %s:"
constexpr UINT kVirusString = 421;
constexpr UINT kTransferringString = 422;
constexpr UINT kLargeFileString = 61248;
constexpr UINT kKeepWaitingString = 61246;

std::string Format(const std::string& format, const std::string& argument) {
  char text[512];
  std::snprintf(text, sizeof(text), format.c_str(), argument.c_str());
  return text;
}

std::string FilterFor(TransferObjectKind kind) {
  std::string filter;
  if (kind == TransferObjectKind::kGesture) filter = std::string("Gestures Files (*.zra)") + '\0' + "*.zra" + '\0';
  if (kind == TransferObjectKind::kAvatar)
    filter = std::string("Avatars Files (*.gif,*.bmp)") + '\0' + "*.gif;*.bmp" + '\0';
  return filter + "All Files (*.*)" + '\0' + "*.*" + '\0' + '\0';
}

}  // namespace

CReceiveFileDlg* CReceiveFileDlg::s_open = nullptr;

BEGIN_MESSAGE_MAP(CReceiveFileDlg, CDialog)
  ON_BN_CLICKED(CReceiveFileDlg::kPreview, OnPreview)
  ON_BN_CLICKED(CReceiveFileDlg::kSaveAs, OnSaveAs)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CReceiveFileDlg::CReceiveFileDlg(Owner owner, const std::string& senderName, const CTransferFile& offer)
    : CDialog(kTemplateId),
      m_owner(std::move(owner)),
      m_senderName(senderName),
      m_offer(offer),
      m_kind(TransferKindOf(offer.name, offer.size)) {}

CReceiveFileDlg* CReceiveFileDlg::Open(CWnd* parent, Owner owner, const std::string& senderName,
                                       const CTransferFile& offer) {
  if (s_open) return nullptr;
  auto* dialog = new CReceiveFileDlg(std::move(owner), senderName, offer);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return nullptr;
  }
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

bool CReceiveFileDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  GetDlgItem(kIdentity)->ShowWindow(SW_HIDE);
  if (m_kind == TransferObjectKind::kFile) GetDlgItem(kPreview)->ShowWindow(SW_HIDE);
  ShowText();
  return true;
}

void CReceiveFileDlg::ShowText() {
  const std::string kind = AfxLoadString(kKindWords[static_cast<int>(m_kind)]);
  std::string text = m_senderName + Format(AfxLoadString(kOfferingString), kind) + "\r\n" + m_offer.name + " (" +
                     std::to_string(TransferKilobytes(m_offer.size)) + " K)";
  if (m_kind == TransferObjectKind::kFile) text += "\r\n" + AfxLoadString(kVirusString);
  if (m_running) text += "\r\n\r\n" + AfxLoadString(kTransferringString);
  SetDlgItemText(kText, text);
}

bool CReceiveFileDlg::AskLargeFile() const {
  if (m_offer.size <= kAskAboveSize) return true;
  char text[512];
  std::snprintf(text, sizeof(text), AfxLoadString(kLargeFileString).c_str(),
                static_cast<int>(TransferKilobytes(m_offer.size)));
  return ::MessageBoxA(m_hWnd, text, "Send File", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CReceiveFileDlg::StartRequest(const std::string& path) {
  CTransferFile asked = m_offer;
  asked.path = path;
  m_owner.request(asked);
  m_running = true;
  m_ticks = 0;
  ::SetTimer(m_hWnd, kWaitTimer, kWaitMs, nullptr);
  ShowText();
}

void CReceiveFileDlg::OnPreview() {
  if (m_running || m_previewHeld || !AskLargeFile()) return;
  StartRequest(CObjectTransfer::kPreviewName);
}

void CReceiveFileDlg::TakePreview(const CTransferFile& file) {
  m_offer.data = file.data;
  m_previewHeld = true;
  m_running = false;
  ::KillTimer(m_hWnd, kWaitTimer);
  ShowText();
}

void CReceiveFileDlg::OnSaveAs() {
  if (m_running || (!m_previewHeld && !AskLargeFile())) return;
  char path[MAX_PATH] = {};
  const std::string proposed = SafeFileName(m_offer.name);
  proposed.copy(path, MAX_PATH - 1);
  const std::string folder = m_owner.startFolder(m_kind);
  const std::string filter = FilterFor(m_kind);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = m_hWnd;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameA(&dialog)) return;
  if (m_previewHeld) {
    CTransferFile file = m_offer;
    file.path = path;
    m_owner.save(file);
    DestroyWindow();
    return;
  }
  StartRequest(path);
}

// Every minute without the object counts; after three the user says
// whether to wait on.
void CReceiveFileDlg::OnTimer(UINT_PTR id) {
  if (id != kWaitTimer || ++m_ticks < kTicksBeforeAsking) return;
  ::KillTimer(m_hWnd, kWaitTimer);
  if (::MessageBoxA(m_hWnd, AfxLoadString(kKeepWaitingString).c_str(), "Send File", MB_YESNO | MB_ICONQUESTION) !=
      IDYES) {
    DestroyWindow();
    return;
  }
  m_ticks = 0;
  ::SetTimer(m_hWnd, kWaitTimer, kWaitMs, nullptr);
}

void CReceiveFileDlg::OnCancel() { DestroyWindow(); }

void CReceiveFileDlg::PostNcDestroy() {
  s_open = nullptr;
  m_owner.ended(m_offer);
  delete this;
}
