// Small text rules of the directory browser and its link with the client.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zr::directory {

// Every '_' of the text turned into a blank.
std::string UnderscoresToBlanks(std::string text);

// A decimal 32-bit number at the start of text (after blanks); advances pos.
std::optional<int32_t> ReadNumber(const std::string& text, size_t& pos);

struct WindowPlace {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// "x y width height"; nothing unless all four numbers are there.
std::optional<WindowPlace> ParseWindowPlace(const std::string& text);
std::string FormatWindowPlace(const WindowPlace& place);

// An address written with "http:/" and one slash gets its second slash (the
// first "http:/" only, and only when the text holds no "http://").
std::string RepairHttpSlash(std::string address);

// What the status bar shows for a status text of the control: a place link
// "zr://..." is cut to what follows its first "&place=" (or, without one, to
// what follows the sixth character), then the "http:/" repair.
std::string StatusTextForDisplay(const std::string& text);

// True when a completed navigation is only a redirect step, which the host
// does not report.
bool IsRedirectAddress(const std::string& address);

}  // namespace zr::directory

namespace zr::directory {

// Two page addresses are the same page when both are non-empty and equal,
// case ignored, after a ":8080" port (or else a ":80" port) is cut out of each.
bool PageAddressesEqual(const std::string& a, const std::string& b);

// The text without its leading white space.
std::string TrimLeft(const std::string& text);

}  // namespace zr::directory
