// "Receive File": an offer shown to the user, who may save it (Save As...),
// preview a gesture or avatar first, or reject it. Modeless; at most one is
// open. The object's name came from the network: the name proposed for
// saving is reduced to a plain file name, so the file goes where the user
// chooses and nowhere else.
#pragma once

#include <functional>
#include <string>

#include "CDialog.h"
#include "TransferFile.h"
#include "TransferNames.h"

class CReceiveFileDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 321;
  static constexpr int kText = 1178;
  static constexpr int kIdentity = 1190;
  static constexpr int kPreview = 1191;
  static constexpr int kSaveAs = 1192;
  static constexpr UINT kWaitTimer = 1;
  static constexpr UINT kWaitMs = 60000;
  static constexpr int kTicksBeforeAsking = 3;

  // What the dialog asks of the transfers.
  struct Owner {
    std::function<void(const CTransferFile&)> request;
    std::function<void(const CTransferFile&)> save;
    std::function<void(const CTransferFile&)> ended;
    // The folder a Save As starts in for the kind.
    std::function<std::string(TransferObjectKind)> startFolder;
  };

  static CReceiveFileDlg* Open(CWnd* parent, Owner owner, const std::string& senderName,
                               const CTransferFile& offer);
  static CReceiveFileDlg* Current() { return s_open; }

  // The preview's bytes arrived: they are kept for a later Save As.
  void TakePreview(const CTransferFile& file);

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnPreview();
  void OnSaveAs();
  void OnTimer(UINT_PTR id);
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CReceiveFileDlg(Owner owner, const std::string& senderName, const CTransferFile& offer);
  bool AskLargeFile() const;
  void StartRequest(const std::string& path);
  void ShowText();

  static CReceiveFileDlg* s_open;
  Owner m_owner;
  std::string m_senderName;
  CTransferFile m_offer;
  TransferObjectKind m_kind;
  bool m_running = false;
  bool m_previewHeld = false;
  int m_ticks = 0;
};
