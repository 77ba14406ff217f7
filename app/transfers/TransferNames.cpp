#include "TransferNames.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr const char kFallbackName[] = "received file";
constexpr size_t kMaxNameLength = 200;
constexpr size_t kMaxExtensionLength = 8;

bool IsForbidden(unsigned char c) { return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension.
bool IsDeviceName(const std::string& name) {
  const std::string stem = Lower(name.substr(0, name.find('.')));
  static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (const char* device : kDevices) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string SafeFileName(const std::string& offered) {
  const size_t cut = offered.find_last_of("\\/:");
  std::string name;
  for (unsigned char c : offered.substr(cut == std::string::npos ? 0 : cut + 1)) {
    if (!IsForbidden(c)) name += static_cast<char>(c);
  }
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  const size_t start = name.find_first_not_of(' ');
  name = start == std::string::npos ? std::string() : name.substr(start);
  if (name.size() > kMaxNameLength) name.erase(0, name.size() - kMaxNameLength);
  if (name.empty() || IsDeviceName(name)) return kFallbackName;
  return name;
}

std::string SafeExtension(const std::string& offered) {
  const size_t dot = offered.find_last_of('.');
  if (dot == std::string::npos) return {};
  const std::string extension = offered.substr(dot + 1);
  if (extension.empty() || extension.size() > kMaxExtensionLength) return {};
  for (unsigned char c : extension) {
    if (!std::isalnum(c)) return {};
  }
  return "." + extension;
}

TransferObjectKind TransferKindOf(const std::string& name, uint32_t size) {
  const std::string extension = Lower(SafeExtension(name));
  if (extension == ".zra") return TransferObjectKind::kGesture;
  if ((extension == ".gif" || extension == ".bmp") && size <= kMaxAvatarSize) return TransferObjectKind::kAvatar;
  return TransferObjectKind::kFile;
}

SendRefusal SendRefusalFor(const SendTargetState& state) {
  if (state.ignored) return SendRefusal::kIgnored;
  if (state.dialogOpen) return SendRefusal::kDialogOpen;
  if (state.onStage) return SendRefusal::kOnStage;
  if (state.presetPathLength > kMaxDroppedPathLength) return SendRefusal::kPathTooLong;
  return SendRefusal::kNone;
}
