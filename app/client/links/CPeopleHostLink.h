// The program's side of the people manager: the commands it runs, the
// identity dialogs it opens, the avatars it flashes, the settings and
// resources it reads. A person's right click opens the people page's own
// menu: the avatars have no menus yet.
#pragma once

#include "IPeopleHost.h"

class CZrApp;

class CPeopleHostLink : public IPeopleHost {
 public:
  // The people tool bar of the resource library.
  static constexpr uint32_t kPeopleToolBar = 2;

  explicit CPeopleHostLink(CZrApp& app) : m_app(app) {}

  bool CanOpenIdentity() const override { return true; }
  void OpenPersonIdentity(uint32_t person, const std::string& name) override;
  void OpenIdentitySheet() override;
  void FindPeople() override;
  void SendInstantMessage() override;
  int RunModal(CDialog& dialog) override;
  bool FlashAvatar(uint32_t person) override;
  bool ForwardRightClick(uint32_t, POINT) override { return false; }
  bool AreAvatarsShown() const override;
  std::string GetCommunityName() const override;
  std::string GetProductString(uint32_t index) const override;
  COLORREF GetColor(uint32_t index) const override;
  std::string GetGestureFolder() const override;
  int32_t GetMaxObservers() const override;
  VoiceState GetVoiceState(uint32_t person) const override;
  bool CanCall() const override;
  bool CanSendFiles() const override;
  bool IsSendDialogOpen() const override;
  void SendFile(uint32_t person, const std::string& name) override;
  bool GetToolButton(uint32_t index, UINT& command, UINT faces[4]) const override;

 private:
  void PostCommand(UINT id) const;

  CZrApp& m_app;
};
