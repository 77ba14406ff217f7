// The file version from a module's version resource.
#pragma once

#include "VersionNumber.h"

#include <optional>
#include <string>

// Major, minor, third and fourth number of the file version; nothing when the
// file has no version resource.
std::optional<VersionNumber> ReadFileVersion(const std::string& path);
