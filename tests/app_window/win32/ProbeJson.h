// JSON text of the window probe and its reader in the client's process: one
// object a line, texts as UTF-8 from the windows' wide-character texts.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace probe_json {

inline std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
  return out;
}

// A quoted JSON string of UTF-8 text.
inline std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

inline std::string Quote(const std::wstring& text) { return Quote(Utf8(text)); }

inline std::string Bool(bool value) { return value ? "true" : "false"; }

inline std::string Rect(const RECT& rect) {
  return "[" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "]";
}

// Handles as plain numbers, so that answers can be matched up.
inline std::string Handle(const void* handle) {
  return std::to_string(reinterpret_cast<unsigned long long>(handle));
}

// `"name":value` for an object being built.
inline std::string Field(const char* name, const std::string& value) {
  return Quote(std::string(name)) + ":" + value;
}

}  // namespace probe_json
