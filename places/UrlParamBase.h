// UrlParamBase: look-up of key=value parameters in URLs, place links and
// command lines, and the unescaping that normalises a place's page address.
#pragma once

#include <cstddef>
#include <string>

class UrlParamBase {
 public:
  // Finds `key` followed by '=' where the key starts the text or follows a
  // blank, '#', '&', '/' or '?'. The value is the quoted text when it starts
  // with '"'; otherwise it runs to the next blank, '&' or '#'. A Place value
  // is a page address with its own query: it runs on over '&' and '#' unless
  // the '&' starts another place key. Returns false when the key is absent. `keyPos` gets
  // the position of the key, `valueEnd` the position after the value.
  static bool FindUrlParameter(const std::string& text, const char* key, std::string& value,
                               size_t* keyPos = nullptr, size_t* valueEnd = nullptr);
  // '+' becomes a blank and '%' with two hexadecimal digits the character of
  // that code; "%00" is kept as written so that the text never holds a NUL.
  static std::string UrlUnescape(const std::string& text);
  // The first n characters of both texts are equal, ignoring ASCII case.
  static bool StartsWithNoCase(const std::string& text, const std::string& prefix);
  // Case-insensitive byte-wise comparison (ASCII letters fold): <0, 0, >0.
  static int CompareNoCase(const std::string& a, const std::string& b);
  static std::string Trim(const std::string& text);
};
