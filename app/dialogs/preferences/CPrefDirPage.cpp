#include "CPrefDirPage.h"

#include "CDataExchange.h"
#include "CFileDialog.h"
#include "ZrSettings.h"

namespace {

constexpr int kListFileEdit = 1101;
constexpr int kBrowserEdit = 1052;
constexpr int kPicturesEdit = 1102;
constexpr int kGestureEdit = 1062;
constexpr int kPersonPictEdit = 1059;
constexpr int kToursEdit = 1104;
constexpr int kFavoriteEdit = 1132;
constexpr int kListFileBrowse = 1092;
constexpr int kBrowserBrowse = 1053;
constexpr int kFavoriteBrowse = 1133;

constexpr char kListFileFilter[] = "Community List Files (*.hst) |*.hst| All files (*.*)||";
constexpr char kBrowserFilter[] = "Programs (*.exe) |*.exe||";
constexpr char kFavoriteFilter[] = "Programs (*.txt) |*.txt||";

}  // namespace

BEGIN_MESSAGE_MAP(CPrefDirPage, CPropertyPage)
  ON_BN_CLICKED(kListFileBrowse, OnBrowseListFile)
  ON_BN_CLICKED(kBrowserBrowse, OnBrowseBrowser)
  ON_BN_CLICKED(kFavoriteBrowse, OnBrowseFavorite)
END_MESSAGE_MAP()

CPrefDirPage::CPrefDirPage(CZrSettings& settings)
    : CPropertyPage(kTemplateId), m_settings(settings), m_values(settings) {}

void CPrefDirPage::DoDataExchange(CDataExchange* dx) {
  const struct {
    int id;
    std::string& path;
  } edits[] = {
      {kListFileEdit, m_values.m_listFile},     {kBrowserEdit, m_values.m_browser},
      {kPicturesEdit, m_values.m_pictures},     {kGestureEdit, m_values.m_gestureDirectory},
      {kPersonPictEdit, m_values.m_personPict}, {kToursEdit, m_values.m_tours},
      {kFavoriteEdit, m_values.m_favorite},
  };
  for (const auto& edit : edits) {
    DDX_Text(dx, edit.id, edit.path);
    DDV_MaxChars(dx, edit.path, CZrFolderPrefs::kPathMaxChars);
  }
}

void CPrefDirPage::OnBrowseListFile() { Browse(kListFileEdit, m_values.m_listFile, kListFileFilter); }

void CPrefDirPage::OnBrowseBrowser() { Browse(kBrowserEdit, m_values.m_browser, kBrowserFilter); }

void CPrefDirPage::OnBrowseFavorite() { Browse(kFavoriteEdit, m_values.m_favorite, kFavoriteFilter); }

void CPrefDirPage::Browse(int editId, std::string& path, const char* filter) {
  CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, this);
  if (dialog.DoModal() != IDOK) return;
  path = dialog.GetPathName();
  SetDlgItemText(editId, path);
}

void CPrefDirPage::OnOK() {
  m_values.WriteTo(m_settings);
  m_settings.Save(true);
}
