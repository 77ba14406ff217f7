// ITransferHost: what the transfer manager needs of the program: the road
// to a member, the files, the preferences and the user's views of a
// transfer. The program implements it; tests implement it to watch.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TransferFile.h"

class ITransferHost {
 public:
  // Sends a transfer payload to one member with an empty text.
  virtual void SendPayload(uint32_t member, const std::vector<uint8_t>& payload) = 0;
  virtual uint32_t OwnMemberId() = 0;
  // False while files may not be sent or received (the preference is off,
  // or the user is inside an auditorium).
  virtual bool MayTakeFiles() = 0;
  // The file's size; nothing when its status cannot be read.
  virtual std::optional<uint32_t> FileSize(const std::string& path) = 0;
  // The file's bytes; nothing when it cannot be read.
  virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) = 0;
  // Writes every byte, or fails.
  virtual bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) = 0;

  // An offer arrived: true when the user is shown it (a Receive File dialog
  // opens), false when it cannot be shown now (it is refused with status 6).
  virtual bool ShowOffer(uint32_t sender, const std::string& senderName, const CTransferFile& offer) = 0;
  // The preview's bytes of the open Receive File dialog arrived.
  virtual void ShowPreview(const CTransferFile& file) = 0;
  // The transfer of the open Receive File dialog ended (saved or failed).
  virtual void EndReceive() = 0;
  // Both transfer dialogs close.
  virtual void CloseDialogs() = 0;
  // The object was written to its path (name as saved).
  virtual void Saved(const CTransferFile& file) = 0;
  // A message box "Send File" with the string and its one argument.
  virtual void ShowMessage(uint32_t stringId, const std::string& argument) = 0;
  // A text on the status bar.
  virtual void ShowStatus(const std::string& text) = 0;
  // Progress of sending (the string number and the entry's path).
  virtual void ShowProgress(uint32_t stringId, int percent, const std::string& path) = 0;

 protected:
  ~ITransferHost() = default;
};
