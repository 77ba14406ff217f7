#include "CNetscapeEcho.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kProtocols[][4] = {"ZR", "ZRS", "ZRM", "HVN"};
constexpr size_t kWindowIdAnswer = 255;
constexpr UINT kFinishEcho = WM_APP + 1;
constexpr char kWindowClass[] = "ZrBrowserEcho";

std::string HexNumber(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(value));
  return text;
}

bool IsPageType(const std::string& mime) {
  return ::lstrcmpiA(mime.c_str(), "internal/parser") == 0 || ::lstrcmpiA(mime.c_str(), "text/html") == 0;
}

std::string TextOf(const uint8_t* data, uint32_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  return data ? std::string(text, strnlen(text, size)) : std::string();
}

}  // namespace

CNetscapeEcho::~CNetscapeEcho() {
  if (m_window) ::DestroyWindow(m_window);
}

int32_t CNetscapeEcho::AddView(INetscapeEchoView& view) {
  if (!SetUp()) return -1;
  if (!m_protocolsRegistered) {
    for (const char* protocol : kProtocols) RequestVerb("WWW_RegisterProtocol", std::string(kServerName) + "," + protocol, nullptr);
    m_protocolsRegistered = true;
  }
  return m_table.Add(reinterpret_cast<uintptr_t>(&view));
}

void CNetscapeEcho::RemoveView(int32_t index) {
  m_table.Remove(index);
  if (m_table.Count() > 0) return;
  Close();
  m_initialised = false;
  m_protocolsRegistered = false;
}

// The link answers the browser's calls under the name the verbs give it.
bool CNetscapeEcho::SetUp() {
  if (m_initialised) return true;
  if (!m_window) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);
    m_window = ::CreateWindowA(kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    if (!m_window) return false;
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  if (!Init(kServerName)) return false;
  m_initialised = true;
  static const char kNoData[] = "<null>";
  PokeVerb("WWW_RegisterURLEcho", kServerName, std::string(kNoData, sizeof kNoData));
  return true;
}

bool CNetscapeEcho::RequestVerb(const std::string& verb, const std::string& item, std::vector<uint8_t>* answer) {
  uint32_t id = 0;
  if (!Connect(kBrowserService, verb, &id)) return false;
  std::vector<uint8_t> data;
  const bool answered = Request(item, data, id);
  Disconnect(id);
  if (answer) *answer = std::move(data);
  return answered;
}

void CNetscapeEcho::PokeVerb(const std::string& verb, const std::string& item, const std::string& data) {
  uint32_t id = 0;
  if (!Connect(kBrowserService, verb, &id)) return;
  Poke(item, reinterpret_cast<const uint8_t*>(data.data()), static_cast<uint32_t>(data.size()), id);
  Disconnect(id);
}

void CNetscapeEcho::OpenUrl(int32_t index, const std::string& url) {
  CNetscapeEchoTable::Record* record = m_table.At(index);
  if (!record) return;
  record->url = url;
  const std::string item = url + ",," + HexNumber(record->windowId) + ",0x3,,," + kServerName;
  std::vector<uint8_t> answer;
  if (RequestVerb("WWW_OpenURL", item, &answer) && answer.size() >= sizeof(uint32_t))
    std::memcpy(&record->windowId, answer.data(), sizeof(uint32_t));
}

void CNetscapeEcho::GetWindowInfo(CNetscapeEchoTable::Record& record) {
  std::vector<uint8_t> answer;
  if (!RequestVerb("WWW_GetWindowInfo", HexNumber(record.windowId), &answer)) return;
  CNetscapeEchoTable::ParseWindowInfo(TextOf(answer.data(), static_cast<uint32_t>(answer.size())), record.url,
                                      record.title);
}

INetscapeEchoView* CNetscapeEcho::ViewOf(const CNetscapeEchoTable::Record& record) const {
  return reinterpret_cast<INetscapeEchoView*>(record.view);
}

void CNetscapeEcho::Post(const CNetscapeEchoTable::Record& record, UINT message) {
  if (INetscapeEchoView* view = ViewOf(record)) ::PostMessageA(view->EchoWindow(), message, 0, 0);
}

// ---- Calls from the browser ----------------------------------------------------

bool CNetscapeEcho::OnPeerRequest(const std::string& topic, const std::string& item, std::vector<uint8_t>& answer) {
  if (topic == "WWW_OpenURL")
    answer = AnswerOpenUrl(item);
  else if (topic == "WWW_BeginProgress")
    answer = AnswerBeginProgress(item);
  else if (topic == "WWW_MakingProgress")
    answer = AnswerMakingProgress(item);
  else
    return false;
  return true;
}

void CNetscapeEcho::OnPeerPoke(const std::string& topic, const std::string&, const uint8_t* data, uint32_t size) {
  const std::string text = TextOf(data, size);
  if (topic == "WWW_EndProgress")
    OnEndProgress(text);
  else if (topic == "WWW_URLEcho")
    OnUrlEcho(text);
}

// A protocol URL goes to the view that answers for its scheme.
std::vector<uint8_t> CNetscapeEcho::AnswerOpenUrl(const std::string& item) {
  const std::string url = CNetscapeEchoTable::Field(item, 0);
  const uint32_t windowId = CNetscapeEchoTable::Number(CNetscapeEchoTable::Field(item, 2));
  const size_t end = url.find("://");
  const std::string scheme = end == std::string::npos ? std::string() : url.substr(0, end);
  for (int32_t i = 0; i < static_cast<int32_t>(CNetscapeEchoTable::kSize); ++i) {
    CNetscapeEchoTable::Record* record = m_table.At(i);
    if (!record || ViewOf(*record)->EchoViewName() != scheme) continue;
    record->url = url;
    Post(*record, kProtocolUrl);
    break;
  }
  std::vector<uint8_t> answer(kWindowIdAnswer, 0);
  const std::string number = HexNumber(windowId);
  std::memcpy(answer.data(), number.c_str(), number.size());
  return answer;
}

std::vector<uint8_t> CNetscapeEcho::AnswerBeginProgress(const std::string& item) {
  const uint32_t transaction = m_table.NextTransaction();
  if (CNetscapeEchoTable::Record* record = m_table.ByWindow(CNetscapeEchoTable::Number(CNetscapeEchoTable::Field(item, 0)))) {
    record->transactionId = transaction;
    record->url.clear();
    Post(*record, kLoadBegan);
  }
  std::vector<uint8_t> answer(sizeof transaction);
  std::memcpy(answer.data(), &transaction, sizeof transaction);
  return answer;
}

std::vector<uint8_t> CNetscapeEcho::AnswerMakingProgress(const std::string& item) {
  const uint32_t transaction = CNetscapeEchoTable::Number(CNetscapeEchoTable::Field(item, 0));
  if (CNetscapeEchoTable::Record* record = m_table.ByTransaction(transaction)) {
    record->progress = CNetscapeEchoTable::Field(item, 1);
    Post(*record, kProgressChanged);
  }
  return std::vector<uint8_t>(2, 0);
}

void CNetscapeEcho::OnEndProgress(const std::string& data) {
  const int32_t index = m_table.IndexOfTransaction(CNetscapeEchoTable::Number(CNetscapeEchoTable::Field(data, 0)));
  if (index < 0) return;
  m_table.At(index)->transactionId = 0;
  AskWindowInfoLater(index, false);
}

void CNetscapeEcho::OnUrlEcho(const std::string& data) {
  if (data.empty() || ::lstrcmpiA(data.c_str(), "<null>") == 0) return;
  const int32_t index = m_table.IndexOfWindow(CNetscapeEchoTable::Number(CNetscapeEchoTable::Field(data, 2)));
  const std::string url = CNetscapeEchoTable::Field(data, 0);
  if (index < 0 || url.empty()) return;
  CNetscapeEchoTable::Record& record = *m_table.At(index);
  if (!IsPageType(CNetscapeEchoTable::Field(data, 1))) {
    ViewOf(record)->ShowEchoStatus(url);
    return;
  }
  if (url == record.url) return;
  record.url = url;
  AskWindowInfoLater(index, true);
}

void CNetscapeEcho::AskWindowInfoLater(int32_t index, bool loadBegan) {
  ::PostMessageA(m_window, kFinishEcho, static_cast<WPARAM>(index), loadBegan ? 1 : 0);
}

void CNetscapeEcho::FinishEcho(int32_t index, bool loadBegan) {
  CNetscapeEchoTable::Record* record = m_table.At(index);
  if (!record) return;
  if (loadBegan) Post(*record, kLoadBegan);
  GetWindowInfo(*record);
  Post(*record, kLocationLearnt);
}

LRESULT CALLBACK CNetscapeEcho::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* echo = reinterpret_cast<CNetscapeEcho*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kFinishEcho && echo) {
    echo->FinishEcho(static_cast<int32_t>(wParam), lParam != 0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}
