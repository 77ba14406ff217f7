#include "CCallProgramLink.h"

#include <vector>

#include "TvlLog.h"

namespace {

constexpr size_t kValueBytes = 256;

// An open registry key, closed with the object.
class CRegKey {
 public:
  CRegKey(HKEY root, const std::string& path) {
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &m_key) != ERROR_SUCCESS) m_key = nullptr;
  }
  ~CRegKey() {
    if (m_key) ::RegCloseKey(m_key);
  }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;
  HKEY Get() const { return m_key; }

  std::vector<std::string> SubkeyNames() const {
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0; m_key; ++index) {
      DWORD length = sizeof name;
      if (::RegEnumKeyExA(m_key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, length);
    }
    return names;
  }

  std::string Text(const char* value) const {
    char buffer[kValueBytes + 1] = {};
    DWORD size = kValueBytes;
    DWORD type = 0;
    if (!m_key || ::RegQueryValueExA(m_key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
                      ERROR_SUCCESS ||
        type != REG_SZ)
      return std::string();
    return std::string(buffer, strnlen(buffer, size));
  }

 private:
  HKEY m_key = nullptr;
};

}  // namespace

CCallProgramLink::~CCallProgramLink() {
  if (m_connected) {
    HangUp();
    Quit();
  } else {
    OnDisconnected(m_topic);
  }
}

bool CCallProgramLink::FindProgram(const std::string& name) {
  CRegKey software(HKEY_CURRENT_USER, "Software");
  for (const std::string& vendor : software.SubkeyNames()) {
    CRegKey vendorKey(software.Get(), vendor);
    for (const std::string& program : vendorKey.SubkeyNames()) {
      if (::lstrcmpiA(program.c_str(), name.c_str()) != 0) continue;
      CRegKey settings(vendorKey.Get(), program + "\\Settings");
      m_productKey = program;
      m_service = program;
      m_path = settings.Text("Path");
      m_topic = settings.Text("Topic");
      return true;
    }
  }
  return false;
}

bool CCallProgramLink::Connect(const std::string& name, const std::string& userId) {
  if (m_service.empty() && !FindProgram(name)) {
    m_report(kNotFound, name);
    Reset();
    return false;
  }
  if (!OpenInstance()) {
    Reset();
    return false;
  }
  if (!ConnectOrLaunch(name)) return false;
  LogIn(userId);
  return true;
}

bool CCallProgramLink::OpenInstance() {
  if (m_instanceOpen) Close();
  m_instanceOpen = Init(std::string());
  return m_instanceOpen;
}

bool CCallProgramLink::ConnectOrLaunch(const std::string& name) {
  if (CZrDdeClient::Connect(m_service, m_topic)) return true;
  return Launch(name);
}

// The program is started with "/ready" and given a while to offer its topic.
bool CCallProgramLink::Launch(const std::string& name) {
  const std::string command = m_path + m_service + ".exe  /ready";
  if (::WinExec(command.c_str(), SW_SHOWNORMAL) < 32) {
    m_report(kCannotStart, name);
    return false;
  }
  m_launched = true;
  for (DWORD waited = 0; waited < m_answerWaitMs; waited += kRetryMs) {
    ::Sleep(kRetryMs);
    if (CZrDdeClient::Connect(m_service, m_topic)) return true;
  }
  m_report(kNoAnswer, name);
  return false;
}

void CCallProgramLink::LogIn(const std::string& userId) {
  PokeText("UserID", userId);
  PokeText("AutoAnswer", "1");
  m_connected = true;
}

// The text goes with its terminating zero.
void CCallProgramLink::PokeText(const char* item, const std::string& text) {
  Poke(item, reinterpret_cast<const uint8_t*>(text.c_str()), static_cast<uint32_t>(text.size() + 1));
}

void CCallProgramLink::Call(uint32_t address, const std::string& nickname) {
  HangUp();
  Execute(std::string("Call ") + TvlAddressText(address) + "," + nickname);
}

void CCallProgramLink::HangUp() { Execute("HangUp"); }

void CCallProgramLink::Quit() {
  HangUp();
  Execute("Quit");
  Close();
  Reset();
}

void CCallProgramLink::Reset() {
  m_productKey.clear();
  m_service.clear();
  m_topic.clear();
  m_path.clear();
  m_connected = false;
  m_launched = false;
  m_instanceOpen = false;
}

void CCallProgramLink::OnDisconnected(const std::string& topic) {
  if (!m_topic.empty() && m_topic == topic) Reset();
}
