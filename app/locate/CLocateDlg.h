// "Locate" (dialog template 109): finds people of the community by name.
// The root place sends the look-up; its answer lists the people found with
// where they are, and Go to Place takes the user there. Modeless, one at a
// time; it deletes itself when its window is gone.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CDialog.h"
#include "CLocateListWnd.h"
#include "CZrStatusBar.h"

class CZrApp;
class CZrPersonDesc;

class CLocateDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 109;
  static constexpr int kNameEdit = 1024;
  static constexpr int kExactCheck = 1026;
  static constexpr int kCaseCheck = 1027;
  static constexpr int kListPlaceholder = 1028;
  static constexpr int kStopButton = 1002;
  static constexpr int kNewSearchButton = 1003;
  static constexpr int kSendImButton = 1030;
  static constexpr int kGoToPlaceButton = 1031;
  static constexpr int kIdentityButton = 1033;

  // Brings the open dialog to the top, or makes one owned by the main
  // window; null when it could not be made.
  static CLocateDlg* Raise(CZrApp& app);
  static CLocateDlg* Current() { return s_current; }
  // Destroys the open dialog (exit, community switch).
  static void CloseOpen();

  // The answer to a look-up: true when it answers this dialog's request.
  bool TakeResults(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  void OnStop();
  void OnNewSearch();
  void OnSendIm();
  void OnGoToPlace();
  void OnViewIdentity();
  void OnSize(UINT type, int cx, int cy);

  DECLARE_MESSAGE_MAP()

 private:
  explicit CLocateDlg(CZrApp& app);
  ~CLocateDlg() override;

  std::string Text(UINT id) const;
  void ShowResults(const std::vector<std::unique_ptr<CZrPersonDesc>>& persons);
  void Expand(bool expanded);
  void EnableRowButtons(bool enable);
  void OnRowSelected(int32_t row);
  const CZrPersonDesc* SelectedPerson() const;
  void ClearList();
  void Layout(int cx, int cy);
  int CompactHeight() const;

  static CLocateDlg* s_current;
  CZrApp& m_app;
  std::string m_name;
  int m_exact = 0;
  int m_caseSensitive = 0;
  uint32_t m_request = 0;
  bool m_expanded = false;
  CLocateListWnd m_list;
  std::vector<std::unique_ptr<CZrPersonDesc>> m_persons;
  CZrStatusBar m_status;
};
