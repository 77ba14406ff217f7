#include "OleText.h"

BSTR AllocSysString(const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int wide = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  BSTR value = ::SysAllocStringLen(nullptr, static_cast<UINT>(wide));
  if (value && wide > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, value, wide);
  return value;
}

std::string TextOfBstr(BSTR value) {
  if (!value) return {};
  const int length = static_cast<int>(::SysStringLen(value));
  const int narrow = ::WideCharToMultiByte(CP_ACP, 0, value, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(narrow), '\0');
  if (narrow > 0) ::WideCharToMultiByte(CP_ACP, 0, value, length, text.data(), narrow, nullptr, nullptr);
  return text;
}
