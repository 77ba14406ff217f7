// Text rules of the identity dialogs that need no window: the cut of the
// basic information texts, the name a person's dialogs are titled with, the
// heading cut with "..", the dotted form of an address and the place of a
// dialog beside the window it was asked from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "ZrLayoutRecord.h"  // ZrRect

// Longest name, location and e-mail the Basic Info page lets the user type.
constexpr size_t kBasicInfoMaxChars = 30;

// Cuts text to its first maxChars characters; true when it was longer.
bool CutToMaxChars(std::string& text, size_t maxChars);

// The name that titles a person's dialogs: the full name when names are
// shown instead of nicknames and the person has one, else the nickname.
std::string CaptionName(bool showNames, const std::string& name, const std::string& nickname);

// The text as it fits into maxWidth: whole when it fits, else the longest
// prefix that fits with ".." after it, followed by "..".
std::string FitWithDots(const std::string& text, int maxWidth,
                        const std::function<int(const std::string&)>& widthOf);

// "a.b.c.d" of an IPv4 address held with its first byte lowest.
std::string DottedAddress(uint32_t address);

// Where a dialog of width x height goes beside the anchor rectangle (the
// person's avatar window): its top left at the anchor's middle, moved left
// by its width when it would pass the desktop's right edge and up by its
// height when it would pass the bottom. False when it should be centred on
// the desktop instead: no anchor, a place left of the desktop, or the main
// window minimised.
bool PlaceBeside(const ZrRect& anchor, int width, int height, const ZrRect& desktop,
                 bool mainMinimised, int& x, int& y);

// Where a dialog of width x height goes next to another window: at its
// right when it fits on the desktop there, else at its left, top edges
// level but moved up so as not to pass the desktop's bottom, and never
// left of or above the desktop.
void PlaceNextTo(const ZrRect& window, int width, int height, const ZrRect& desktop, int& x, int& y);
