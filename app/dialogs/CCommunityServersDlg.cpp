#include "CCommunityServersDlg.h"

#include "IServerListHost.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr int kListControl = 1087;
constexpr int kAddressControl = 1088;
constexpr int kNameControl = 1098;
constexpr int kAddButton = 1089;
constexpr int kModifyButton = 1093;
constexpr int kRemoveButton = 1097;
constexpr int kSetDefaultButton = 1022;
constexpr int kKeepListButton = 1115;

constexpr UINT kOutOfMemoryString = 170;
constexpr UINT kNotFoundString = 171;
constexpr UINT kExistsString = 173;
constexpr UINT kCaptionString = 176;
constexpr UINT kEnterNameString = 177;
constexpr UINT kEnterAddressString = 178;
constexpr UINT kCannotCreateString = 196;
constexpr UINT kUntitledString = 426;

}  // namespace

BEGIN_MESSAGE_MAP(CCommunityServersDlg, CDialog)
  ON_LBN_SELCHANGE(kListControl, OnSelectionChange)
  ON_LBN_DBLCLK(kListControl, OnOK)
  ON_BN_CLICKED(kAddButton, OnAdd)
  ON_BN_CLICKED(kModifyButton, OnModify)
  ON_BN_CLICKED(kRemoveButton, OnRemove)
  ON_BN_CLICKED(kSetDefaultButton, OnSetDefault)
  ON_BN_CLICKED(kKeepListButton, OnKeepList)
END_MESSAGE_MAP()

CCommunityServersDlg::CCommunityServersDlg(IServerListHost& host, const std::string& currentAddress,
                                           CWnd* parent)
    : CDialog(kTemplateId, parent), m_host(host), m_currentAddress(currentAddress), m_listBox(m_list, host) {
  OpenListFile();
}

void CCommunityServersDlg::OpenListFile() {
  if (!m_file.Open(m_host.GetListFilePath(), m_host.GetDefaultListFilePath())) {
    MessageBoxIds2(kCaptionString, kCannotCreateString, m_file.GetPath().c_str());
    return;
  }
  if (m_file.IsPathReplaced()) m_host.SetListFilePath(m_file.GetPath());
  std::string text;
  if (m_file.ReadAll(text)) m_list.Load(text);
}

bool CCommunityServersDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listBox.SubclassDlgItem(kListControl, this);
  m_resultAddress.clear();
  m_resultName.clear();
  for (size_t index = 0; index < m_list.Entries().size(); ++index)
    if (m_list.IsShown(static_cast<int>(index))) m_listBox.AddEntry(static_cast<int>(index));
  MarkCurrentServer();
  ApplySelection();
  return true;
}

void CCommunityServersDlg::MarkCurrentServer() {
  std::string defaultTitle;
  std::string defaultHost;
  if (!m_currentAddress.empty()) m_host.GetDefaultServer(defaultTitle, defaultHost);
  const size_t countBefore = m_list.Entries().size();
  const int current = m_list.MarkCurrent(m_currentAddress, defaultTitle, defaultHost);
  if (current >= 0 && m_list.Entries().size() > countBefore) m_listBox.AddEntry(current);
}

void CCommunityServersDlg::ApplySelection() {
  const int index = m_listBox.GetSelectedEntry();
  const bool selected = m_list.IsShown(index);
  const std::string untitled = AfxLoadString(kUntitledString);
  SetDlgItemText(kNameControl, selected ? m_list.At(index).name : untitled);
  SetDlgItemText(kAddressControl, selected ? m_list.At(index).address : untitled);
  const bool editable = m_list.IsEditable(index);
  for (int id : {kModifyButton, kRemoveButton})
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(editable);
  for (int id : {kSetDefaultButton, static_cast<int>(IDOK)})
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(selected);
  for (int id : {kNameControl, kAddressControl})
    if (CWnd* edit = GetDlgItem(id)) edit->ShowWindow(SW_SHOW);
}

void CCommunityServersDlg::OnSelectionChange() { ApplySelection(); }

void CCommunityServersDlg::OnAdd() {
  const std::string name = GetName();
  int index = -1;
  const CZrServerList::Edit result = m_list.Add(name, GetAddress(), &index);
  if (result != CZrServerList::Edit::kDone) {
    ExplainRefusal(result, name);
    return;
  }
  if (m_listBox.AddEntry(index) >= 0) return;
  m_list.Discard(index);
  MessageBoxIds2(kCaptionString, kOutOfMemoryString);
}

void CCommunityServersDlg::OnModify() {
  const int index = m_listBox.GetSelectedEntry();
  const std::string name = GetName();
  const CZrServerList::Edit result = m_list.Modify(index, name, GetAddress());
  if (result != CZrServerList::Edit::kDone) {
    ExplainRefusal(result, name);
    return;
  }
  m_listBox.DeleteString(m_listBox.FindEntry(index));
  m_listBox.SetCurSel(m_listBox.AddEntry(index));
  ApplySelection();
}

void CCommunityServersDlg::OnRemove() {
  const std::string name = GetName();
  int index = -1;
  const CZrServerList::Edit result = m_list.Remove(name, GetAddress(), &index);
  if (result != CZrServerList::Edit::kDone) {
    ExplainRefusal(result, name);
    return;
  }
  m_listBox.DeleteString(m_listBox.FindEntry(index));
  ApplySelection();
}

void CCommunityServersDlg::ExplainRefusal(CZrServerList::Edit result, const std::string& name) {
  switch (result) {
    case CZrServerList::Edit::kEmptyName:
      MessageBoxIds2(kCaptionString, kEnterNameString);
      FocusControl(kNameControl);
      break;
    case CZrServerList::Edit::kEmptyAddress:
      MessageBoxIds2(kCaptionString, kEnterAddressString);
      FocusControl(kAddressControl);
      break;
    case CZrServerList::Edit::kExists:
      MessageBoxIds2(kCaptionString, kExistsString, name.c_str());
      FocusControl(kNameControl);
      break;
    case CZrServerList::Edit::kNotFound:
      MessageBoxIds2(kCaptionString, kNotFoundString, name.c_str());
      FocusControl(kNameControl);
      break;
    default:
      // Unchanged, or an entry that may not be edited: nothing to tell.
      break;
  }
}

void CCommunityServersDlg::OnSetDefault() { m_host.SetHomeServer(GetName(), GetAddress()); }

void CCommunityServersDlg::OnOK() {
  // Enter with no server chosen has nowhere to go.
  if (!m_list.IsShown(m_listBox.GetSelectedEntry())) return;
  SaveList();
  m_resultAddress = GetAddress();
  m_resultName = GetName();
  EndDialog(IDOK);
}

void CCommunityServersDlg::OnKeepList() {
  SaveList();
  EndDialog(IDCANCEL);
}

void CCommunityServersDlg::SaveList() {
  if (m_file.IsOpen() && !m_file.Rewrite(m_list.Format()))
    MessageBoxIds2(kCaptionString, kCannotCreateString, m_file.GetPath().c_str());
}

void CCommunityServersDlg::FocusControl(int id) {
  if (CWnd* control = GetDlgItem(id)) GotoDlgCtrl(control);
}

std::string CCommunityServersDlg::GetName() const { return GetDlgItemText(kNameControl); }

std::string CCommunityServersDlg::GetAddress() const { return GetDlgItemText(kAddressControl); }
