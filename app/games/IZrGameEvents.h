// The interface that a game calls back on: the client implements it and
// advises it on the game server's connection point. Games are built against
// this header, so the slot order and the argument types are fixed here.
#pragma once

#include <objbase.h>
#include <oleauto.h>

// {B196B283-BAB4-101A-B69C-00AA00341D05}
inline constexpr IID IID_IZrGameEvents = {
    0xB196B283, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x05}};

// Byte data travels as a counted wide string of one character per byte.
struct IZrGameEvents : public IUnknown {
  // 1: an empty event for the client's event dispatcher.
  virtual HRESULT __stdcall Notify() = 0;
  // 2: an event with a text, data bytes, a value and a member.
  virtual HRESULT __stdcall PostData(long member, short value, BSTR text, BSTR* data) = 0;
  // 3: the text and data to one member through the place request of the kind.
  virtual HRESULT __stdcall SendToMember(long member, long kind, BSTR text, BSTR* data, long extra) = 0;
  // 4: enumerates the members of the place that holds the member to the
  // game; answers the high 16 bits of the result.
  virtual long __stdcall EnumPlaceMembers(long member, long value) = 0;
  // 5: 1 when both are zero, 703 when no member matches, else 0 with the
  // member's identifier and class written back.
  virtual long __stdcall ResolveMember(long* member, short* userClass) = 0;
  // 6: the member's name and three identity texts.
  virtual HRESULT __stdcall GetMemberInfo(long member, BSTR* name, BSTR* first, BSTR* second,
                                          BSTR* third) = 0;
  // 7: the current place's name.
  virtual HRESULT __stdcall GetPlaceName(BSTR* name) = 0;
  // 8: the client's own game identifier.
  virtual HRESULT __stdcall GetOwnId(long* id) = 0;
  // 9: a game state for the current place and the main window's layout.
  virtual HRESULT __stdcall SetGameState(long state) = 0;
  // 10: two values for a group place found by identifier.
  virtual HRESULT __stdcall ForwardToGroup(long group, long value) = 0;
  // 11: values for a member place found by identifier.
  virtual HRESULT __stdcall ForwardToMember(long member, long first, long second, long third,
                                            long fourth) = 0;
};
