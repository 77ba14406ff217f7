// CSonorelle: the client's host of the voice control. It places the control
// in a window of the client and turns each property and method the client
// needs into a typed call on the control's dispatch interface. It keeps no
// state of its own beyond the hosted control.
#pragma once

#include "COleControlItem.h"

#include <windows.h>

#include <cstdint>
#include <string>

class CSonorelle {
 public:
  // The control's child-window id.
  static constexpr UINT kControlId = 1329;
  // Events of the control, by dispatch id.
  enum Event : DISPID {
    kJoined = 1,
    kDisconnected = 2,
    kSdkError = 3,
    kStatus = 4,
    kRosterAdd = 5,
    kRosterDel = 6,
  };

  // Makes the control inside parent at position; false when it cannot be
  // made (voice then stays unavailable).
  bool Create(HWND parent, const RECT& position);
  bool Exists() const { return m_control.IsCreated(); }
  HWND GetSafeHwnd() const { return m_control.GetItemWindow(); }
  void Show(bool show);
  void Destroy() { m_control.Destroy(); }
  // The control's events go to handler.
  bool AdviseEvents(COleControlItem::EventHandler handler) {
    return SUCCEEDED(m_control.AdviseEvents(std::move(handler)));
  }

  void SetConfName(const std::string& text) { PutText(1, text); }
  void SetServerAddress(const std::string& text) { PutText(2, text); }
  void SetUsername(const std::string& text) { PutText(3, text); }
  void SetAccount(const std::string& text) { PutText(5, text); }
  void SetAccountKey(const std::string& text) { PutText(12, text); }
  void SetSDKmode(bool on);

  int32_t SDKJoin() { return CallLong(20, {}); }
  std::string GetSpeakers();
  int32_t Ignore(int32_t member, bool flag);
  int32_t GagUser(int32_t member, bool flag, int32_t value);
  int32_t Disconnect() { return CallLong(32, {}); }

 private:
  void PutText(DISPID id, const std::string& text);
  int32_t CallLong(DISPID id, std::vector<VARIANT> arguments);

  COleControlItem m_control;
};
