#include "DirectoryText.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace zr::directory {

std::string UnderscoresToBlanks(std::string text) {
  for (char& c : text) {
    if (c == '_') {
      c = ' ';
    }
  }
  return text;
}

std::optional<int32_t> ReadNumber(const std::string& text, size_t& pos) {
  size_t at = pos;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    negative = text[at] == '-';
    ++at;
  }
  size_t digitsStart = at;
  int64_t value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    value = value * 10 + (text[at] - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) {
      return std::nullopt;
    }
    ++at;
  }
  if (at == digitsStart) {
    return std::nullopt;
  }
  if (negative) {
    value = -value;
  }
  if (value > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  pos = at;
  return static_cast<int32_t>(value);
}

std::optional<WindowPlace> ParseWindowPlace(const std::string& text) {
  size_t pos = 0;
  int32_t values[4];
  for (int32_t& value : values) {
    std::optional<int32_t> number = ReadNumber(text, pos);
    if (!number) {
      return std::nullopt;
    }
    value = *number;
  }
  return WindowPlace{values[0], values[1], values[2], values[3]};
}

std::string FormatWindowPlace(const WindowPlace& place) {
  char text[64];
  std::snprintf(text, sizeof text, "%" PRId32 " %" PRId32 " %" PRId32 " %" PRId32, place.x,
                place.y, place.width, place.height);
  return text;
}

std::string RepairHttpSlash(std::string address) {
  if (address.find("http://") != std::string::npos) {
    return address;
  }
  size_t at = address.find("http:/");
  if (at != std::string::npos) {
    address.insert(at + 6, "/");
  }
  return address;
}

std::string StatusTextForDisplay(const std::string& text) {
  static const std::string kLinkScheme = "zr://";
  static const std::string kPlaceKey = "&place=";
  std::string shown = text;
  if (text.compare(0, kLinkScheme.size(), kLinkScheme) == 0) {
    size_t at = text.find(kPlaceKey);
    size_t from = at != std::string::npos ? at + kPlaceKey.size() : 6;
    shown = from < text.size() ? text.substr(from) : std::string();
  }
  return RepairHttpSlash(shown);
}

bool IsRedirectAddress(const std::string& address) {
  return address.find("redirect") != std::string::npos;
}

}  // namespace zr::directory

namespace zr::directory {

namespace {

std::string WithoutDefaultPort(std::string address) {
  for (const char* port : {":8080", ":80"}) {
    size_t at = address.find(port);
    if (at != std::string::npos) {
      address.erase(at, std::char_traits<char>::length(port));
      break;
    }
  }
  return address;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool PageAddressesEqual(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) {
    return false;
  }
  return EqualNoCase(WithoutDefaultPort(a), WithoutDefaultPort(b));
}

std::string TrimLeft(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
    ++at;
  }
  return text.substr(at);
}

}  // namespace zr::directory
