#include "CBroadcastDlg.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "BroadcastInfo.h"
#include "CDataExchange.h"
#include "CFileDialog.h"
#include "Picture.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kBlankText = 199;
constexpr UINT kChooseTypeText = 577;
constexpr UINT kChooseImageText = 578;
constexpr UINT kImageErrorText = 584;
constexpr char kPictureFilter[] = "Pictures (*.gif;*.bmp)|*.gif;*.bmp|All files (*.*)|*.*||";

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !bytes.empty() && bytes.size() <= CPicture::kMaxFileLength;
}

void Exchange(CDataExchange* dx, int id, bool& value) {
  int checked = value ? 1 : 0;
  DDX_Check(dx, id, checked);
  value = checked != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBroadcastDlg, CDialog)
  ON_BN_CLICKED(CBroadcastDlg::kBrowseButton, OnBrowse)
  ON_BN_CLICKED(CBroadcastDlg::kPreviewButton, OnPreview)
END_MESSAGE_MAP()

CBroadcastDlg::CBroadcastDlg(IBroadcastTarget& target, CWnd* parent)
    : CDialog(kTemplateId, parent), m_target(target), m_values(KeptValues()) {}

CBroadcastValues& CBroadcastDlg::KeptValues() {
  static CBroadcastValues values;
  return values;
}

bool CBroadcastDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CenterWindow();
  return true;
}

void CBroadcastDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kFileEdit, m_values.pictureFile);
  DDX_Text(dx, kPictureLinkEdit, m_values.pictureLink);
  DDX_Text(dx, kTextEdit, m_values.text);
  DDX_Text(dx, kTextLinkEdit, m_values.textLink);
  Exchange(dx, kUponConnectionCheck, m_values.sendUponConnection);
  Exchange(dx, kBlinkCheck, m_values.blink);
  DDX_Text(dx, kContentTimeEdit, m_values.contentTime);
  DDV_MinMaxInt(dx, m_values.contentTime, 0, 100);
  Exchange(dx, kPermanentCheck, m_values.permanent);
  DDX_Text(dx, kDisplayTimeEdit, m_values.displayTime);
  DDV_MinMaxInt(dx, m_values.displayTime, 0, 500);
  Exchange(dx, kNonRectangularCheck, m_values.nonRectangular);
  Exchange(dx, kWhatsHotCheck, m_values.onWhatsHot);
  Exchange(dx, kContentCheck, m_values.onContent);
  Exchange(dx, kMonitorCheck, m_values.onMonitor);
}

void CBroadcastDlg::OnBrowse() {
  CFileDialog dialog(true, "gif", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPictureFilter, this);
  if (dialog.DoModal() == IDOK) SetDlgItemText(kFileEdit, dialog.GetPathName());
}

bool CBroadcastDlg::BuildRecord(CBroadcastInfo& record) {
  if (m_values.pictureFile.empty()) {
    MessageBoxIds2(kBlankText, kChooseImageText);
    return false;
  }
  if (!BroadcastRecord::Fill(m_values, record)) {
    MessageBoxIds2(kBlankText, kChooseTypeText);
    return false;
  }
  std::vector<uint8_t> bytes;
  CPicture picture;
  if (!ReadFile(m_values.pictureFile, bytes) || !picture.LoadMemory(bytes.data(), bytes.size())) {
    MessageBoxIds2(kBlankText, kImageErrorText);
    return false;
  }
  record.picture = CTvlBlob(static_cast<uint32_t>(bytes.size()), bytes.data());
  return true;
}

// The dialog closes, keeping its values, and the broadcast shows here where
// its target code says.
void CBroadcastDlg::OnPreview() {
  if (!UpdateData(true)) return;
  CBroadcastInfo record;
  if (!BuildRecord(record)) return;
  EndDialog(IDCANCEL);
  const CBroadcastRoute route = BroadcastRecord::Route(record);
  if (route.page) m_target.PreviewOnPage(record);
  if (route.panel) m_target.PreviewOnPanel(m_values);
}

void CBroadcastDlg::OnOK() {
  if (!UpdateData(true)) return;
  CBroadcastInfo record;
  if (!BuildRecord(record)) return;
  if (!m_target.SendBroadcast(record, m_values.sendUponConnection)) return;
  m_target.EndPagePreview();
  EndDialog(IDOK);
}
