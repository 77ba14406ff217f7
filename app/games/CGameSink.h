// CGameSink: the client's side of the game event interface, advised on the
// game server's connection point. It turns the game's calls into calls on
// the program (IGameHost).
#pragma once

#include "IGameHost.h"
#include "IZrGameEvents.h"

class CGameSink : public IZrGameEvents {
 public:
  explicit CGameSink(IGameHost& host);

  HRESULT __stdcall QueryInterface(REFIID iid, void** object) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;

  HRESULT __stdcall Notify() override;
  HRESULT __stdcall PostData(long member, short value, BSTR text, BSTR* data) override;
  HRESULT __stdcall SendToMember(long member, long kind, BSTR text, BSTR* data, long extra) override;
  long __stdcall EnumPlaceMembers(long member, long value) override;
  long __stdcall ResolveMember(long* member, short* userClass) override;
  HRESULT __stdcall GetMemberInfo(long member, BSTR* name, BSTR* first, BSTR* second,
                                  BSTR* third) override;
  HRESULT __stdcall GetPlaceName(BSTR* name) override;
  HRESULT __stdcall GetOwnId(long* id) override;
  HRESULT __stdcall SetGameState(long state) override;
  HRESULT __stdcall ForwardToGroup(long group, long value) override;
  HRESULT __stdcall ForwardToMember(long member, long first, long second, long third,
                                    long fourth) override;

 private:
  virtual ~CGameSink() = default;

  IGameHost& m_host;
  LONG m_references = 1;
};
