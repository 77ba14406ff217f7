#include "CTransfers.h"

#include <windows.h>

#include <cstdio>
#include <sys/stat.h>

#include "CPlace.h"
#include "CReceiveFileDlg.h"
#include "CSendObjectDlg.h"
#include "ModuleState.h"
#include "TvlBlob.h"
#include "ZrPerson.h"

namespace {

constexpr UINT kSavedString = 61247;  // "File %s successfully saved. "
constexpr UINT kSendingPercentString = 416;
constexpr UINT kSendFileTitle = 61240;
constexpr UINT kIgnoredRefusal = 61238;     // "You can not send a file to someone (%s) you selected to ignore."
constexpr UINT kDialogOpenRefusal = 61239;  // "A Send File dialog is already open. ..."
constexpr UINT kOnStageRefusal = 61241;     // "You can not send files to the auditorium stage."
constexpr char kPathTooLong[] = "The path of the dropped file is longer than %u characters: it cannot be sent.";

std::string Format(const std::string& format, const std::string& argument) {
  char text[1024];
  std::snprintf(text, sizeof(text), format.c_str(), argument.c_str());
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

CTransfers::CTransfers(Program program) : m_program(std::move(program)), m_transfer(*this) {}

CTransfers::~CTransfers() { CloseDialogs(); }

bool CTransfers::IsSendDialogOpen() { return CSendObjectDlg::Current() != nullptr; }

void CTransfers::StartSend(uint32_t member, const std::string& memberName, const std::string& presetPath) {
  SendTargetState state;
  state.ignored = m_program.ignored && m_program.ignored(member);
  state.dialogOpen = IsSendDialogOpen();
  state.onStage = m_program.onStage && m_program.onStage(member);
  state.presetPathLength = presetPath.size();
  std::string refusal;
  switch (SendRefusalFor(state)) {
    case SendRefusal::kNone:
      OfferSend(member, memberName, presetPath);
      return;
    case SendRefusal::kIgnored: refusal = Format(AfxLoadString(kIgnoredRefusal), memberName); break;
    case SendRefusal::kDialogOpen: refusal = AfxLoadString(kDialogOpenRefusal); break;
    case SendRefusal::kOnStage: refusal = AfxLoadString(kOnStageRefusal); break;
    case SendRefusal::kPathTooLong: {
      char text[200];
      std::snprintf(text, sizeof(text), kPathTooLong, static_cast<unsigned>(kMaxDroppedPathLength));
      refusal = text;
      break;
    }
  }
  CWnd* parent = m_program.dialogParent();
  ::MessageBoxA(parent ? parent->GetSafeHwnd() : nullptr, refusal.c_str(), AfxLoadString(kSendFileTitle).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void CTransfers::OfferSend(uint32_t member, const std::string& memberName, const std::string& presetPath) {
  CSendObjectDlg::Owner owner;
  owner.offer = [this, member, memberName](const std::string& path, uint32_t size) {
    m_transfer.Offer(member, memberName, path, size);
  };
  owner.ended = [] {};
  owner.folder = m_program.folder;
  owner.fileSize = [this](const std::string& path, uint32_t& size) {
    const std::optional<uint32_t> found = FileSize(path);
    if (found) size = *found;
    return found.has_value();
  };
  CSendObjectDlg::Open(m_program.dialogParent(), std::move(owner), memberName, presetPath);
}

void CTransfers::OnPayload(uint32_t sender, const std::string& senderName, const CTvlBlob& payload) {
  m_transfer.OnReceive(sender, senderName, payload.Bytes(), payload.Length(), GetTickCount64());
}

bool CTransfers::Awaits(uint32_t sender, const CTvlBlob& payload) const {
  return m_transfer.AwaitsAnswer(sender, payload.Bytes(), payload.Length());
}

// ---- The place and the files ---------------------------------------------

void CTransfers::SendPayload(uint32_t member, const std::vector<uint8_t>& payload) {
  if (CPlace* place = m_program.rootPlace())
    place->SendUserMessage(member, std::string(), CTvlBlob(static_cast<uint32_t>(payload.size()), payload.data()));
}

uint32_t CTransfers::OwnMemberId() {
  CPlace* place = m_program.rootPlace();
  return place && place->GetMyself() ? place->GetMyself()->GetId() : 0;
}

// Not while the preference is off, nor inside an auditorium.
bool CTransfers::MayTakeFiles() {
  if (!m_program.filesEnabled()) return false;
  CPlace* place = m_program.rootPlace();
  return !(place && place->IsAuditorium() && place->IsInRootPlace());
}

std::optional<uint32_t> CTransfers::FileSize(const std::string& path) {
  struct _stat status;
  if (path.empty() || _stat(path.c_str(), &status) != 0 || (status.st_mode & _S_IFDIR)) return std::nullopt;
  return static_cast<uint32_t>(status.st_size);
}

std::optional<std::vector<uint8_t>> CTransfers::ReadFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes(kMaxTransferSize + 1);
  const size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  bytes.resize(read);
  return bytes;
}

bool CTransfers::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
  const bool closed = std::fclose(file) == 0;
  return closed && written == bytes.size();
}

// ---- The user's views -------------------------------------------------------

bool CTransfers::ShowOffer(uint32_t sender, const std::string& senderName, const CTransferFile& offer) {
  if (CReceiveFileDlg::Current() || m_program.minimised()) return false;
  CReceiveFileDlg::Owner owner;
  owner.request = [this, sender, senderName](const CTransferFile& asked) {
    m_transfer.Request(sender, senderName, asked);
  };
  owner.save = [this](const CTransferFile& file) { m_transfer.Save(file); };
  owner.ended = [this](const CTransferFile& file) { m_transfer.OnReceiveDialogEnd(file); };
  owner.startFolder = m_program.folder;
  return CReceiveFileDlg::Open(m_program.dialogParent(), std::move(owner), senderName, offer) != nullptr;
}

void CTransfers::ShowPreview(const CTransferFile& file) {
  if (CReceiveFileDlg* dialog = CReceiveFileDlg::Current()) dialog->TakePreview(file);
}

void CTransfers::EndReceive() {
  if (CReceiveFileDlg* dialog = CReceiveFileDlg::Current()) dialog->DestroyWindow();
}

void CTransfers::CloseDialogs() {
  if (CReceiveFileDlg* dialog = CReceiveFileDlg::Current()) dialog->DestroyWindow();
  if (CSendObjectDlg* dialog = CSendObjectDlg::Current()) dialog->DestroyWindow();
}

void CTransfers::Saved(const CTransferFile& file) {
  if (Lower(file.path).find(".zra") != std::string::npos && m_program.gesturesChanged) m_program.gesturesChanged();
  const std::string text = Format(AfxLoadString(kSavedString), file.path);
  m_program.statusText(text);
  m_program.postMessage(text);
}

void CTransfers::ShowMessage(uint32_t stringId, const std::string& argument) {
  m_program.postMessage(Format(AfxLoadString(stringId), argument));
}

void CTransfers::ShowStatus(const std::string& text) { m_program.statusText(text); }

void CTransfers::ShowProgress(uint32_t stringId, int percent, const std::string& path) {
  char text[1024];
  if (stringId == kSendingPercentString)
    std::snprintf(text, sizeof(text), AfxLoadString(stringId).c_str(), percent, path.c_str());
  else
    std::snprintf(text, sizeof(text), AfxLoadString(stringId).c_str(), path.c_str());
  m_program.statusText(text);
}
