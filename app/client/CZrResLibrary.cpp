#include "CZrResLibrary.h"

#include <algorithm>

namespace {

// The exports every resource library has; one missing marks a library of
// another kind or version.
constexpr const char* kExports[] = {
    "CheckVersion",    "GetDllVersion",          "GetColor",           "GetString",
    "GetToolBar",      "GetAnimationFrames",     "GetAnimationRightSpace",
    "GetNetscapeDefault", "GetUseOldPTG",        "GetGesturesInIM",    "GetSendFile",
    "IsCloseNetscapeOnExit", "IsCloseNetscapeOnLaunch", "IsUseAvatarService"};

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

CZrResLibrary* CZrResLibrary::s_current = nullptr;

CZrResLibrary::~CZrResLibrary() { Free(); }

CZrResLibrary::Result CZrResLibrary::Load(const std::string& fileName) {
  Free();
  m_module = ::LoadLibraryA(fileName.c_str());
  if (!m_module) return kNotFound;
  if (!Bind() || !m_checkVersion(0, kMajor, kMinor)) {
    Free();
    return kIncompatible;
  }
  s_current = this;
  return kLoaded;
}

bool CZrResLibrary::Bind() {
  for (const char* name : kExports) {
    if (!::GetProcAddress(m_module, name)) return false;
  }
  m_checkVersion = Export<CheckVersionFn>(m_module, "CheckVersion");
  m_getString = Export<GetStringFn>(m_module, "GetString");
  m_getDllVersion = Export<GetDllVersionFn>(m_module, "GetDllVersion");
  m_closeNetscapeOnLaunch = Export<SwitchFn>(m_module, "IsCloseNetscapeOnLaunch");
  m_useAvatarService = Export<SwitchFn>(m_module, "IsUseAvatarService");
  m_sendFile = Export<SwitchFn>(m_module, "GetSendFile");
  m_closeNetscapeOnExit = Export<SwitchFn>(m_module, "IsCloseNetscapeOnExit");
  m_navigatorDefault = Export<SwitchFn>(m_module, "GetNetscapeDefault");
  m_animationFrames = Export<SwitchFn>(m_module, "GetAnimationFrames");
  m_animationRightSpace = Export<SwitchFn>(m_module, "GetAnimationRightSpace");
  m_useOldPtg = Export<FlagFn>(m_module, "GetUseOldPTG");
  m_getColor = Export<ColorFn>(m_module, "GetColor");
  m_getToolBar = Export<ToolBarFn>(m_module, "GetToolBar");
  return true;
}

void CZrResLibrary::Free() {
  if (s_current == this) s_current = nullptr;
  if (m_module) ::FreeLibrary(m_module);
  m_module = nullptr;
  m_checkVersion = nullptr;
  m_getString = nullptr;
  m_getDllVersion = nullptr;
  m_closeNetscapeOnLaunch = nullptr;
  m_useAvatarService = nullptr;
  m_sendFile = nullptr;
  m_closeNetscapeOnExit = nullptr;
  m_navigatorDefault = nullptr;
  m_animationFrames = nullptr;
  m_animationRightSpace = nullptr;
  m_useOldPtg = nullptr;
  m_getColor = nullptr;
  m_getToolBar = nullptr;
}

std::string CZrResLibrary::GetString(uint32_t index) const {
  if (!m_getString) return std::string();
  char buffer[kStringSize] = {};
  m_getString(index, buffer);
  buffer[kStringSize - 1] = '\0';
  return buffer;
}

std::string CZrResLibrary::BrandCode() const {
  if (!m_getDllVersion) return std::string();
  char buffer[kStringSize] = {};
  int major = 0;
  int minor = 0;
  m_getDllVersion(buffer, &major, &minor);
  buffer[kStringSize - 1] = '\0';
  return buffer;
}

bool CZrResLibrary::IsCloseNetscapeOnLaunch() const {
  return m_closeNetscapeOnLaunch && m_closeNetscapeOnLaunch() != 0;
}

bool CZrResLibrary::IsUseAvatarService() const {
  return m_useAvatarService && m_useAvatarService() != 0;
}

bool CZrResLibrary::CanSendFiles() const { return m_sendFile && m_sendFile() != 0; }

bool CZrResLibrary::IsCloseNetscapeOnExit() const {
  return m_closeNetscapeOnExit && m_closeNetscapeOnExit() != 0;
}

bool CZrResLibrary::IsNavigatorDefault() const { return m_navigatorDefault && m_navigatorDefault() != 0; }

// The answer is the return value; the flag written through the pointer is
// not what decides.
bool CZrResLibrary::UseOldPlacesDirectory() const {
  int flag = 0;
  return m_useOldPtg && m_useOldPtg(&flag) != 0;
}

COLORREF CZrResLibrary::GetColor(uint32_t index) const { return m_getColor ? m_getColor(index) : 0; }

int CZrResLibrary::GetAnimationFrames() const { return m_animationFrames ? m_animationFrames() : 0; }

int CZrResLibrary::GetAnimationRightSpace() const {
  return m_animationRightSpace ? m_animationRightSpace() : 0;
}

CZrResLibrary::ToolBarButton CZrResLibrary::GetToolBarButton(uint32_t bar, uint32_t button) const {
  ToolBarButton entry;
  if (!m_getToolBar) return entry;
  int* b = entry.bitmaps;
  int* v = entry.values;
  entry.command = m_getToolBar(bar, button, &b[0], &b[1], &b[2], &b[3], &v[0], &v[1], &v[2], &v[3]);
  return entry;
}

void CZrResLibrary::StringOfCurrent(uint32_t index, char* buffer) {
  const std::string text = s_current ? s_current->GetString(index) : std::string();
  text.copy(buffer, kStringSize - 1);
  buffer[std::min(text.size(), kStringSize - 1)] = '\0';
}

int CZrResLibrary::SendFileOfCurrent() { return s_current && s_current->CanSendFiles() ? 1 : 0; }
