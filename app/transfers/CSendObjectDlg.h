// "Send Object": what to send to a person: a file, a gesture (".zra") or an
// avatar picture (".gif" or ".bmp" of at most 16 K), each with its edit and
// "Browse..." button. "Send" checks the choice and offers it. Modeless; at
// most one is open.
#pragma once

#include <functional>
#include <string>

#include "CDialog.h"
#include "TransferNames.h"

class CSendObjectDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 320;
  static constexpr int kFileRadio = 1182;
  static constexpr int kGestureRadio = 1184;
  static constexpr int kAvatarRadio = 1185;
  static constexpr int kFileEdit = 1186;
  static constexpr int kGestureEdit = 1187;
  static constexpr int kAvatarEdit = 1188;
  static constexpr int kFileBrowse = 1180;
  static constexpr int kGestureBrowse = 1181;
  static constexpr int kAvatarBrowse = 1189;

  struct Owner {
    // Offers the checked path of that size to the recipient.
    std::function<void(const std::string& path, uint32_t size)> offer;
    std::function<void()> ended;
    // The gesture and avatar picture folders.
    std::function<std::string(TransferObjectKind)> folder;
    // The file's size; false when its status cannot be read.
    std::function<bool(const std::string&, uint32_t&)> fileSize;
  };

  static CSendObjectDlg* Open(CWnd* parent, Owner owner, const std::string& recipientName,
                              const std::string& presetPath);
  static CSendObjectDlg* Current() { return s_open; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnKindChosen();
  void OnBrowse(int edit);
  void OnBrowseFile() { OnBrowse(kFileEdit); }
  void OnBrowseGesture() { OnBrowse(kGestureEdit); }
  void OnBrowseAvatar() { OnBrowse(kAvatarEdit); }
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CSendObjectDlg(Owner owner, const std::string& recipientName, const std::string& presetPath);
  TransferObjectKind ChosenKind() const;
  void Choose(TransferObjectKind kind);
  std::string ChosenPath() const;
  bool Check(const std::string& path, TransferObjectKind kind, uint32_t& size);

  static CSendObjectDlg* s_open;
  Owner m_owner;
  std::string m_recipientName;
  std::string m_presetPath;
};
