// Small text operations on URLs shared by the browser views, their frames
// and the place code: prefix tests, the look-up of key=value parameters, the
// unescaping of a value and the comparisons of two page addresses. Letters
// are folded as ASCII when case is ignored.
#pragma once

#include <cstddef>
#include <string>

class CZrUrlText {
 public:
  // False when candidate is shorter than minimum; otherwise whether the
  // first n characters of key and candidate are equal ignoring case, n being
  // the shorter length. With minimum 1, "n", "nick" and "nicknames" all
  // match the key "nickname".
  static bool StartsWithNoCase(const std::string& key, size_t minimum, const std::string& candidate);
  // Both texts trimmed of white space at either end; whether text begins
  // with prefix (case counts).
  static bool StartsWithTrimmed(const std::string& prefix, const std::string& text);
  // Finds the first "candidate=value" in text whose candidate matches key by
  // StartsWithNoCase with minimum. A candidate is the run before '=' back to
  // a blank, '#', '&', '/' or '?'. A value in double quotes is the text
  // between them (to the end of the text when the closing quote is missing);
  // any other value ends at a blank, '#', '&' or '?'. keyPos gets the index
  // of the candidate in text. False when no candidate matches.
  static bool FindUrlParameter(const std::string& text, const std::string& key, size_t minimum,
                               std::string& value, size_t* keyPos = nullptr);
  // '+' becomes a blank and '%' followed by two hexadecimal digits the
  // character of that code, in one pass from the left. Any other '%', and
  // "%00", stay as written, so the text never gains a NUL.
  static void UrlUnescape(std::string& text);
  // "Yes" sets flag to 1 and "No" to 0 (any leading part, ignoring case) and
  // returns true; anything else returns false and leaves flag.
  static bool ParseYesNo(const std::string& text, int& flag);
  // Equal ignoring case after the first ":8080" of each is cut out, or, when
  // it has none, its first ":80". False when either is empty.
  static bool UrlsEqual(const std::string& a, const std::string& b);
  // Equal (case counts) after one trailing '/' of each is dropped together
  // with the white space before it. False when either is empty.
  static bool UrlsEqualLoose(const std::string& a, const std::string& b);

  static bool EqualNoCase(const std::string& a, const std::string& b);
  static std::string Trim(const std::string& text);
};
