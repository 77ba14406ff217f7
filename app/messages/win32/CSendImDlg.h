// "Send Instant Message" (dialog 115): a recipient's name and a message.
// A recipient not known by identifier is looked up by name first; the
// Available? button only asks whether the name is online. Modeless,
// centred on the desktop, kept in the person state list (one per person,
// one without a person); closing it drops its look-up and removes it from
// the list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "CColorButton.h"
#include "CDialog.h"
#include "IImLookupClient.h"
#include "IPersonDialog.h"

class CZrApp;

class CSendImDlg : public CDialog, public IPersonDialog, public IImLookupClient {
 public:
  static constexpr UINT kTemplateId = 115;
  static constexpr int kNameEdit = 1029;
  static constexpr int kTextEdit = 1108;
  static constexpr int kAvailableButton = 1001;
  static constexpr int kGesturesButton = 1109;
  static constexpr size_t kMaxName = 128;
  static constexpr size_t kMaxText = 200;

  // recipient 0: the name is typed and looked up.
  CSendImDlg(CZrApp& app, uint32_t recipient, const std::string& name);
  ~CSendImDlg() override;

  bool Open();

  // IPersonDialog
  void Raise() override;
  void SetPicture(const CTvlBlob&) override {}
  // IImLookupClient
  void OnLookupResult(const std::vector<CImLookupResult>& results) override;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnDestroy();
  void PostNcDestroy() override;
  bool OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnFieldsChanged();
  void OnAvailable();
  DECLARE_MESSAGE_MAP()

 private:
  void ReadFields();
  void UpdateButtons();
  void StartLookup(bool availability);
  void EndBusy();
  void Send();
  void ShowMessage(uint32_t id);

  CZrApp& m_app;
  const uint32_t m_person;
  uint32_t m_recipient;
  std::string m_name;
  std::string m_text;
  bool m_busy = false;
  bool m_availability = false;
  uint32_t m_request = 0;
  bool m_deleting = false;
  CColorButton m_sendButton;
};
