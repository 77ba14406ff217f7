// The image library: a modal dialog that shows the machine's drives, the
// folder tree of the chosen drive and the pictures of the chosen folder that
// fit a cell, and gives back the picture the user chose. In custom mode it
// shows only the avatar pictures of its start folder.
#pragma once
#include <string>

#include "CAvatarGalleryRequest.h"
#include "CDialog.h"
#include "CDriveCombo.h"
#include "CFolderListWnd.h"
#include "CImageListBox.h"

class CAvatarGalleryDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 107;
  static constexpr int kDrives = 1080;
  static constexpr int kFolders = 1079;
  static constexpr int kPictures = 1078;
  static constexpr int kFolderText = 1040;
  static constexpr int kFileText = 1019;
  static constexpr int kModeButton = 1081;
  static constexpr UINT kListMessage = WM_USER + 256;

  CAvatarGalleryDlg(const CAvatarGalleryRequest& request, CWnd* parent);
  ~CAvatarGalleryDlg() override;

  // folder + "\" + file name after OK, "" when no file was chosen.
  std::string GetChosenFile() const;
  // The folder shown after OK, "" when no file was chosen.
  std::string GetChosenFolder() const;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnDestroy();
  LRESULT OnListPictures(WPARAM, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  void OnDriveChanged();
  void OnPictureChanged();
  void OnPictureDoubleClicked();
  DECLARE_MESSAGE_MAP()

 private:
  bool ResolveFolder(const std::string& folder, std::string& resolved) const;
  void FolderSelected(const std::string& folder);
  void ShowFolderText(const std::string& folder);
  void SetBusy(bool busy);
  void HideFolderPanel();

  CAvatarGalleryRequest m_request;
  std::string m_startFolder;
  std::string m_currentFolder;
  std::string m_chosenName;
  std::string m_previousDirectory;
  bool m_chosen = false;
  bool m_busy = false;
  HCURSOR m_waitCursor = nullptr;
  CDriveCombo m_drives;
  CFolderListWnd m_folders;
  CImageListBox m_pictures;
};
