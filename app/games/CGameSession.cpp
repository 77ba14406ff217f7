#include "CGameSession.h"

#include "CGameCall.h"
#include "CGameSink.h"
#include "GameStrings.h"

namespace {

const wchar_t* const kMethodNames[CGameSession::kMethodCount] = {
    L"StartGame", L"EndGame", L"JoinGroup", L"Send", L"LeaveGroup", L"EnumMembers", L"SendFromService",
    L"GetGameDetails"};

bool ClassIdOf(const std::string& text, CLSID& id) {
  BSTR wide = GameTextToWide(text);
  const HRESULT hr = wide ? CLSIDFromString(wide, &id) : E_OUTOFMEMORY;
  SysFreeString(wide);
  return SUCCEEDED(hr);
}

}  // namespace

CGameSession::CGameSession(IGameHost& host) : m_host(host) { m_dispIds.fill(DISPID_UNKNOWN); }

CGameSession::~CGameSession() { Release(); }

bool CGameSession::CreateServer(const std::string& serverClass) {
  CLSID id;
  if (!ClassIdOf(serverClass, id)) return false;
  m_serverClass = serverClass;
  Release();
  void* server = nullptr;
  if (FAILED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &server))) return false;
  m_server = static_cast<IDispatch*>(server);
  if (!Advise()) {
    Release();
    return false;
  }
  BindDispIds();
  return true;
}

bool CGameSession::Advise() {
  IConnectionPointContainer* container = nullptr;
  if (FAILED(m_server->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
    return false;
  const HRESULT found = container->FindConnectionPoint(IID_IZrGameEvents, &m_connection);
  container->Release();
  if (FAILED(found) || !m_connection) {
    m_connection = nullptr;
    return false;
  }
  CGameSink* sink = new CGameSink(m_host);
  const HRESULT advised = m_connection->Advise(sink, &m_cookie);
  sink->Release();
  return SUCCEEDED(advised);
}

void CGameSession::BindDispIds() {
  for (int method = 0; method < kMethodCount; ++method) {
    LPOLESTR name = const_cast<LPOLESTR>(kMethodNames[method]);
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(m_server->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) id = DISPID_UNKNOWN;
    m_dispIds[method] = id;
  }
}

void CGameSession::Release() {
  if (m_connection) {
    if (m_cookie) m_connection->Unadvise(m_cookie);
    m_connection->Release();
    m_connection = nullptr;
  }
  m_cookie = 0;
  if (m_server) {
    m_server->Release();
    m_server = nullptr;
  }
  m_dispIds.fill(DISPID_UNKNOWN);
}

void CGameSession::GetGameDetails() {
  if (!Callable(kGetGameDetails)) return;
  CGameCall call;
  call.TextRef(m_info.name)
      .TextRef(m_info.secondText)
      .TextRef(m_info.seatLayout)
      .TextRef(m_info.firstFlag)
      .TextRef(m_info.secondFlag)
      .ShortRef(m_info.minPlayers)
      .ShortRef(m_info.maxPlayers)
      .BytesRef(std::string(m_info.logo.begin(), m_info.logo.end()));
  if (!call.Invoke(*m_server, m_dispIds[kGetGameDetails])) return;
  m_info.name = call.TextOfRef(0);
  m_info.secondText = call.TextOfRef(1);
  m_info.seatLayout = call.TextOfRef(2);
  m_info.firstFlag = call.TextOfRef(3);
  m_info.secondFlag = call.TextOfRef(4);
  m_info.minPlayers = call.ShortOfRef(0);
  m_info.maxPlayers = call.ShortOfRef(1);
  const std::string logo = call.BytesOfRef(5);
  m_info.logo.assign(logo.begin(), logo.end());
}

void CGameSession::StartGame(uint32_t group, const std::string& groupName, uint32_t member,
                             const std::string& memberName, uint32_t kind, uint16_t size, uint32_t parent) {
  if (!Callable(kStartGame)) return;
  CGameCall call;
  call.Long(static_cast<long>(group)).Text(groupName).Long(static_cast<long>(member)).Text(memberName)
      .Long(static_cast<long>(kind)).Short(static_cast<short>(size)).Long(static_cast<long>(parent));
  call.Invoke(*m_server, m_dispIds[kStartGame]);
}

void CGameSession::EndGame() {
  if (!Callable(kEndGame)) return;
  CGameCall call;
  call.Invoke(*m_server, m_dispIds[kEndGame]);
}

void CGameSession::JoinGroup(uint32_t group, const std::string& groupName, uint32_t member, uint32_t parent,
                             uint32_t seat, const std::string& memberName) {
  if (!Callable(kJoinGroup)) return;
  CGameCall call;
  call.Long(static_cast<long>(group)).Text(groupName).Long(static_cast<long>(member))
      .Long(static_cast<long>(parent)).Long(static_cast<long>(seat)).Text(memberName);
  call.Invoke(*m_server, m_dispIds[kJoinGroup]);
}

void CGameSession::Send(uint32_t sender, const std::string& name, uint16_t tag, uint32_t length, uint16_t second,
                        const std::string& text, const std::string& data) {
  if (!Callable(kSend)) return;
  CGameCall call;
  call.Long(static_cast<long>(sender)).Text(name).Short(static_cast<short>(tag)).Long(static_cast<long>(length))
      .Short(static_cast<short>(second)).Text(text).BytesRef(data);
  call.Invoke(*m_server, m_dispIds[kSend]);
}

void CGameSession::LeaveGroup(uint32_t group, const std::string& groupName, uint32_t member,
                              const std::string& memberName) {
  if (!Callable(kLeaveGroup)) return;
  CGameCall call;
  call.Long(static_cast<long>(group)).Text(groupName).Long(static_cast<long>(member)).Text(memberName);
  call.Invoke(*m_server, m_dispIds[kLeaveGroup]);
}

void CGameSession::EnumMembers(uint32_t index, uint16_t flag, uint32_t member, const std::string& name,
                               uint16_t kind, uint32_t seat, uint32_t spare) {
  if (!Callable(kEnumMembers)) return;
  CGameCall call;
  call.Long(static_cast<long>(index)).Short(static_cast<short>(flag)).Long(static_cast<long>(member)).Text(name)
      .Short(static_cast<short>(kind)).Long(static_cast<long>(seat)).Long(static_cast<long>(spare));
  call.Invoke(*m_server, m_dispIds[kEnumMembers]);
}

void CGameSession::SendFromService(uint32_t sender, uint16_t userClass, uint32_t code, const std::string& text,
                                   const std::string& data, uint32_t value) {
  if (!Callable(kSendFromService)) return;
  CGameCall call;
  call.Long(static_cast<long>(sender)).Short(static_cast<short>(userClass)).Long(static_cast<long>(code))
      .Text(text).BytesRef(data).Long(static_cast<long>(value));
  call.Invoke(*m_server, m_dispIds[kSendFromService]);
}
