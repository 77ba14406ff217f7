// "Community Servers": the user's list of community servers, kept in the
// server list file. The user adds, modifies and removes servers, makes one
// the default, and connects to one (the dialog ends with IDOK and the
// result address and name). "OK" keeps the list and ends as cancelled;
// Cancel drops the edits. The server in use cannot be modified or removed.
#pragma once
#include <string>

#include "CDialog.h"
#include "CServerListBox.h"
#include "CZrServerList.h"
#include "CZrServerListFile.h"

class IServerListHost;

class CCommunityServersDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 101;

  // Opens and reads the list file named by the host; currentAddress is the
  // server the client is using.
  CCommunityServersDlg(IServerListHost& host, const std::string& currentAddress, CWnd* parent);

  // After Connect: the server chosen.
  const std::string& GetResultAddress() const { return m_resultAddress; }
  const std::string& GetResultName() const { return m_resultName; }

 protected:
  bool OnInitDialog() override;
  // Connect.
  void OnOK() override;
  void OnKeepList();
  void OnSelectionChange();
  void OnAdd();
  void OnModify();
  void OnRemove();
  void OnSetDefault();

  DECLARE_MESSAGE_MAP()

 private:
  void OpenListFile();
  void MarkCurrentServer();
  void ApplySelection();
  // Tells the user why an edit was refused and puts the focus on the field
  // at fault.
  void ExplainRefusal(CZrServerList::Edit result, const std::string& name);
  void SaveList();
  void FocusControl(int id);
  std::string GetName() const;
  std::string GetAddress() const;

  IServerListHost& m_host;
  std::string m_currentAddress;
  std::string m_resultAddress;
  std::string m_resultName;
  CZrServerList m_list;
  CZrServerListFile m_file;
  CServerListBox m_listBox;
};
