// The people page (dialog 110): the people list, the Identity, Send IM,
// Ignore and Locate buttons, the voice status area, and the person menu
// with its commands, moderation among them.
#pragma once
#include <cstdint>
#include <string>

#include "CBroadcastPanel.h"
#include "CDialog.h"
#include "CFont.h"
#include "CParticipateWnd.h"
#include "CPeopleList.h"
#include "CVoiceArea.h"

class CBroadcastInfo;
class CPersonStateList;
class CPlace;
class CZrObjectDesc;
class IPeopleHost;

class CPeoplePage : public CDialog {
 public:
  static constexpr UINT kTemplateId = 110;
  static constexpr int kIdentityButton = 1032;
  static constexpr int kSendImButton = 1030;
  static constexpr int kIgnoreButton = 1144;
  static constexpr int kLocateButton = 1176;
  static constexpr UINT kPersonMenu = 253;
  // Commands of the person menu.
  static constexpr UINT kCmdIdentity = 32801;
  static constexpr UINT kCmdSendIm = 32783;
  static constexpr UINT kCmdAlert = 32784;
  static constexpr UINT kCmdRetrievePicture = 32781;
  static constexpr UINT kCmdEjectFromTour = 32820;
  static constexpr UINT kCmdIgnore = 32809;
  static constexpr UINT kCmdCall = 32831;
  static constexpr UINT kCmdSendFile = 32858;
  static constexpr UINT kCmdWarn = 32816;
  static constexpr UINT kCmdGag = 32813;
  static constexpr UINT kCmdBan = 32815;
  static constexpr UINT kCmdEject = 32811;
  static constexpr UINT kCmdInviteToStage = 32834;
  static constexpr UINT kCmdSpeakLoud = 32840;
  // The list stands this far below the page's top, less 4.
  static constexpr int32_t kListTop = 110;

  // The person a menu is about: a copy, so that the person may leave while
  // the menu is open.
  struct MenuPerson {
    uint32_t id = 0;
    uint32_t kind = 0;
    std::string name;
    uint8_t status = 0;
    // A person of the place (not an observer row the list made).
    bool live = false;
  };

  CPeoplePage();
  ~CPeoplePage() override;

  void SetContext(CPlace* root, CPersonStateList* states, IPeopleHost* host);
  bool Create(CWnd* parent);
  CPeopleList& List() { return m_list; }
  CVoiceArea& Voice() { return m_voiceArea; }

  void ShowPersonMenu(const CPeopleItem& item, int32_t x, int32_t y);
  void ShowPersonMenu(const MenuPerson& person, int32_t x, int32_t y);
  // The same menu and commands for the person of a row, shown by another
  // window (the person's avatar).
  void PreparePersonMenu(HMENU menu, const CPeopleItem& item) { PrepareMenu(menu, PersonOf(item)); }
  void RunPersonCommand(UINT command, const CPeopleItem& item) { RunCommand(command, PersonOf(item)); }
  // The row about to be selected (null: none).
  void OnSelectionChanged(const CPeopleItem* item);
  // For the selected row; the participate window for the place.
  void UpdateButtons();
  // Places the list, the buttons, the voice area and the voice control.
  void Layout();
  // A received broadcast for the broadcast panel.
  void ShowBroadcast(const CBroadcastInfo& record);
  CBroadcastPanel& Panel() { return m_panel; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  void OnTimer(UINT_PTR id);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnIdentity();
  void OnSendIm();
  void OnIgnore();
  void OnLocate();
  DECLARE_MESSAGE_MAP()

 private:
  MenuPerson PersonOf(const CPeopleItem& item) const;
  bool SelectedPerson(MenuPerson& person) const;
  void UpdateButtonsFor(const CPeopleItem* item);
  bool IsOwn(const MenuPerson& person) const;
  void PrepareMenu(HMENU menu, const MenuPerson& person);
  void RunCommand(UINT command, const MenuPerson& person);
  void OpenIdentity(const MenuPerson& person);
  void ToggleIgnore(const MenuPerson& person);
  void Warn(const MenuPerson& person);
  void Sanction(UINT command, const MenuPerson& person);
  void InviteToStage(const MenuPerson& person);
  void SpeakLoud(const MenuPerson& person);
  void SendCommandPayload(uint32_t target, uint8_t subtype, const std::string& text = std::string());
  RECT VoiceArea() const;
  void UpdateParticipate();

  CPeopleList m_list;
  CPlace* m_root = nullptr;
  CPersonStateList* m_states = nullptr;
  IPeopleHost* m_host = nullptr;
  CVoiceArea m_voiceArea;
  CBroadcastPanel m_panel;
  CParticipateWnd m_participate;
};
