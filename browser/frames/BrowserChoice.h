// Which browser shows the client's pages: the version rules for the two
// supported browsers and the choice of the view among them.
#pragma once
#include <cstdint>

struct BrowserVersion {
  uint16_t major = 0;
  uint16_t minor = 0;
  uint32_t least = 0;  // the least significant part of the product version
};

enum class BrowserView { kNone, kEmbedded, kNavigator };

// The lowest major versions the client works with.
inline constexpr uint16_t kMinEmbeddedMajor = 3;
inline constexpr uint16_t kMinNavigatorMajor = 3;

bool IsUsableEmbedded(const BrowserVersion& version, uint16_t minMajor = kMinEmbeddedMajor);
// 4.0 and 4.1 are refused; below the minimum only 2.0 from build 20 on works.
bool IsUsableNavigator(const BrowserVersion& version, uint16_t minMajor = kMinNavigatorMajor);

// The embedded browser unless the Navigator is preferred and present.
BrowserView ChooseBrowserView(bool preferNavigator, bool navigatorPresent, bool embeddedPresent);
