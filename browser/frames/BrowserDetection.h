// Finds the installed browsers through the registry and reads the product
// versions of their programs.
#pragma once
#include <optional>
#include <string>

#include "BrowserChoice.h"

// The product version of a program's version resource; none when it has no
// readable one.
std::optional<BrowserVersion> GetFileVersion(const std::string& path);
// The embedded browser's program as registered; none when not installed.
std::optional<BrowserVersion> GetEmbeddedBrowserVersion();
// The Navigator's OLE server program as registered; none when not installed.
std::optional<BrowserVersion> GetNavigatorVersion();
