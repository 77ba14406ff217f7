#include "ControlResources.h"

#include <windows.h>

#include "ModuleState.h"
#include "Picture.h"

namespace {

// Callers of GetString pass a buffer of this size.
constexpr size_t kStringSize = 80;
constexpr uint32_t kKeyColourIndex = 0;

template <typename Fn>
Fn ResourceExport(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(::GetProcAddress(AfxGetResourceHandle(), name)));
}

}  // namespace

void SetResourceKeyColour(CPicture& picture) {
  auto getColor = ResourceExport<uint32_t (*)(uint32_t)>("GetColor");
  if (getColor) {
    picture.SetTransparentColor(true, getColor(kKeyColourIndex));
  }
}

std::string ResourceProductString(uint32_t index) {
  auto getString = ResourceExport<void (*)(uint32_t, char*)>("GetString");
  if (!getString) {
    return std::string();
  }
  char buffer[kStringSize] = {};
  getString(index, buffer);
  buffer[kStringSize - 1] = '\0';
  return buffer;
}

uint32_t ResourceColour(uint32_t index) {
  auto getColor = ResourceExport<uint32_t (*)(uint32_t)>("GetColor");
  return getColor ? getColor(index) : 0;
}
