#include "CGameSink.h"

#include "GameStrings.h"

namespace {

std::string BytesOf(const BSTR* data) { return data ? GameBytesFromWide(*data) : std::string(); }

// Replaces the string a by-reference argument holds.
void PutText(BSTR* target, const std::string& text) {
  if (!target) return;
  SysFreeString(*target);
  *target = GameTextToWide(text);
}

}  // namespace

CGameSink::CGameSink(IGameHost& host) : m_host(host) {}

HRESULT __stdcall CGameSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IZrGameEvents)) {
    *object = static_cast<IZrGameEvents*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG __stdcall CGameSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }

ULONG __stdcall CGameSink::Release() {
  const LONG left = InterlockedDecrement(&m_references);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT __stdcall CGameSink::Notify() {
  m_host.DispatchGameEvent(std::make_unique<GameEvent>());
  return S_OK;
}

HRESULT __stdcall CGameSink::PostData(long member, short value, BSTR text, BSTR* data) {
  auto event = std::make_unique<GameEvent>();
  event->member = static_cast<uint32_t>(member);
  event->value = value;
  event->text = GameTextFromWide(text);
  event->data = BytesOf(data);
  m_host.DispatchGameEvent(std::move(event));
  return S_OK;
}

HRESULT __stdcall CGameSink::SendToMember(long member, long kind, BSTR text, BSTR* data, long) {
  m_host.SendToMember(static_cast<uint32_t>(member), static_cast<uint32_t>(kind), GameTextFromWide(text),
                      BytesOf(data));
  return S_OK;
}

long __stdcall CGameSink::EnumPlaceMembers(long member, long value) {
  const unsigned long result = static_cast<unsigned long>(m_host.EnumerateMembers(static_cast<uint32_t>(member), value));
  return static_cast<long>((result >> 16) & 0xFFFF);
}

long __stdcall CGameSink::ResolveMember(long* member, short* userClass) {
  if (!member || !userClass) return E_POINTER;
  uint32_t id = static_cast<uint32_t>(*member);
  uint16_t wanted = static_cast<uint16_t>(*userClass);
  if (id == 0 && wanted == 0) return kGameNothingAsked;
  const GameLookupResult result = ResolveGameMember(m_host.GameMembers(), id, wanted);
  if (result == kGameMemberFound) {
    *member = static_cast<long>(id);
    *userClass = static_cast<short>(wanted);
  }
  return result;
}

HRESULT __stdcall CGameSink::GetMemberInfo(long member, BSTR* name, BSTR* first, BSTR* second,
                                           BSTR* third) {
  std::array<std::string, 4> texts;
  if (!m_host.MemberIdentity(static_cast<uint32_t>(member), texts)) return S_FALSE;
  PutText(name, texts[0]);
  PutText(first, texts[1]);
  PutText(second, texts[2]);
  PutText(third, texts[3]);
  return S_OK;
}

HRESULT __stdcall CGameSink::GetPlaceName(BSTR* name) {
  if (!name) return E_POINTER;
  PutText(name, m_host.PlaceName());
  return S_OK;
}

HRESULT __stdcall CGameSink::GetOwnId(long* id) {
  if (!id) return E_POINTER;
  *id = static_cast<long>(m_host.OwnGameId());
  return S_OK;
}

HRESULT __stdcall CGameSink::SetGameState(long state) {
  m_host.SetGameState(state);
  return S_OK;
}

HRESULT __stdcall CGameSink::ForwardToGroup(long group, long value) {
  m_host.ForwardToGroup(static_cast<uint32_t>(group), value);
  return S_OK;
}

HRESULT __stdcall CGameSink::ForwardToMember(long member, long first, long second, long third, long fourth) {
  m_host.ForwardToMember(static_cast<uint32_t>(member), {first, second, third, fourth});
  return S_OK;
}
