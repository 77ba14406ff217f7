#include "GameStrings.h"

BSTR GameTextToWide(const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
  if (result && wide > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, result, wide);
  return result;
}

std::string GameTextFromWide(const BSTR text) {
  const int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
  return result;
}

namespace {

BSTR WidenEachByte(const std::string& bytes) {
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(bytes.size()));
  if (!result) return nullptr;
  for (size_t i = 0; i < bytes.size(); ++i) result[i] = static_cast<unsigned char>(bytes[i]);
  return result;
}

std::string NarrowEachChar(const BSTR data, int length) {
  std::string result(static_cast<size_t>(length), '\0');
  for (int i = 0; i < length; ++i) result[static_cast<size_t>(i)] = static_cast<char>(data[i] & 0xFF);
  return result;
}

}  // namespace

BSTR GameBytesToWide(const std::string& bytes) {
  const int length = static_cast<int>(bytes.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (wide != length) return WidenEachByte(bytes);
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result && length > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, result, length);
  return result;
}

std::string GameBytesFromWide(const BSTR data) {
  const int length = static_cast<int>(SysStringLen(data));
  if (length == 0) return {};
  BOOL lossy = FALSE;
  std::string result(static_cast<size_t>(length), '\0');
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, data, length, result.data(),
                                        length, nullptr, &lossy);
  if (bytes != length || lossy) return NarrowEachChar(data, length);
  return result;
}
