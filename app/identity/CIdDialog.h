// "My Identity": the local user's identity sheet with the avatar column at
// its left and the Basic Info and About Me pages. Its Apply button,
// relabelled "OK", stands alone beside Cancel: it sends the changed name,
// location and e-mail while the application runs, stores every text in the
// settings' identity, puts a newly chosen face on the local user and ends
// the sheet with 1.
#pragma once
#include <functional>
#include <string>

#include "CAboutMe.h"
#include "CAvatarPage.h"
#include "CBasicInfo.h"
#include "CPropertySheet.h"

class CZrSettings;

// What the identity sheet's avatar column needs: whether the avatar service
// replaces it, the colour of the image library's cells, and the road of a
// new face (false when the picture file cannot be read).
struct CIdAvatarColumn {
  bool useAvatarService = false;
  COLORREF cellColour = RGB(255, 255, 255);
  std::function<bool(const std::string& file)> sendFace;
};

class CIdDialog : public CPropertySheet {
 public:
  static constexpr UINT kCaptionText = 449;
  static constexpr UINT kOkText = 542;
  static constexpr int kApplyButton = 0x3021;
  static constexpr int kTabControl = 0x3020;
  static constexpr int kHelpButton = 9;
  // Sends the local user's information request with the changed texts.
  using InfoSender = std::function<void(const CMyInfoChange&)>;
  using AvatarColumn = CIdAvatarColumn;
  static constexpr UINT kBlankText = 199;
  static constexpr UINT kBadFaceText = 202;


  // running: the application runs (the changes are sent); connected: the
  // nickname is fixed; namesFromServer: so is the name.
  CIdDialog(CZrSettings& settings, const CBasicInfoValues& basic, bool running, bool connected,
            bool namesFromServer, InfoSender sendInfo, CWnd* parent, AvatarColumn avatar = {});

  bool OnInitDialog() override;

 protected:
  void OnApplyAsOk();
  LRESULT OnFocusMessage(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  static constexpr UINT kFocusMessage = WM_APP + 1;

  void ShowOkAlone();
  void PlaceAvatarColumn();
  void ApplyAvatar();

  CZrSettings& m_settings;
  bool m_running;
  InfoSender m_sendInfo;
  CBasicInfo m_basic;
  CAboutMe m_aboutMe;
  AvatarColumn m_avatarColumn;
  CAvatarPage m_avatar;
};
