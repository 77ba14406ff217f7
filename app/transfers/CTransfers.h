// CTransfers: the program's side of object transfer. It owns the transfer
// manager and gives it the place, the files and the user's views: the
// Send Object and Receive File dialogs, the status bar and message boxes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "CObjectTransfer.h"
#include "ITransferHost.h"
#include "TransferNames.h"

class CPlace;
class CTvlBlob;
class CWnd;

class CTransfers : public ITransferHost {
 public:
  struct Program {
    std::function<CPlace*()> rootPlace;
    std::function<CWnd*()> dialogParent;
    std::function<bool()> minimised;
    // The preference that allows sending and receiving files.
    std::function<bool()> filesEnabled;
    // The gesture folder, the avatar pictures folder, or "\" for files.
    std::function<std::string(TransferObjectKind)> folder;
    std::function<void(const std::string&)> statusText;
    // A message box posted to the main window.
    std::function<void(const std::string&)> postMessage;
    // A gesture was saved: the gesture gallery reads its folder again.
    std::function<void()> gesturesChanged;
    // Whether the user ignores the person, and whether the person stands
    // on the stage of the auditorium the user is in.
    std::function<bool(uint32_t)> ignored;
    std::function<bool(uint32_t)> onStage;
  };

  explicit CTransfers(Program program);
  ~CTransfers();

  CObjectTransfer& Manager() { return m_transfer; }

  // The user's "Send File..." on a person, or a file (presetPath) dropped
  // on the person's avatar: opens Send Object for the person, or tells the
  // user in a "Send File" box why it cannot.
  void StartSend(uint32_t member, const std::string& memberName, const std::string& presetPath);
  // Opens Send Object for the member (a preset path picks the kind).
  void OfferSend(uint32_t member, const std::string& memberName, const std::string& presetPath);
  static bool IsSendDialogOpen();
  // A transfer payload that the place handed on.
  void OnPayload(uint32_t sender, const std::string& senderName, const CTvlBlob& payload);
  bool Awaits(uint32_t sender, const CTvlBlob& payload) const;
  bool OnDeliveryFailed(uint32_t member, uint32_t code) { return m_transfer.OnDeliveryFailed(member, code); }

  // ITransferHost
  void SendPayload(uint32_t member, const std::vector<uint8_t>& payload) override;
  uint32_t OwnMemberId() override;
  bool MayTakeFiles() override;
  std::optional<uint32_t> FileSize(const std::string& path) override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool ShowOffer(uint32_t sender, const std::string& senderName, const CTransferFile& offer) override;
  void ShowPreview(const CTransferFile& file) override;
  void EndReceive() override;
  void CloseDialogs() override;
  void Saved(const CTransferFile& file) override;
  void ShowMessage(uint32_t stringId, const std::string& argument) override;
  void ShowStatus(const std::string& text) override;
  void ShowProgress(uint32_t stringId, int percent, const std::string& path) override;

 private:
  Program m_program;
  CObjectTransfer m_transfer;
};
