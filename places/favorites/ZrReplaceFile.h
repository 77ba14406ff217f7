// Replaces one file by another in a single step: the target holds either its
// old contents or the new ones, never a mixture.
#pragma once

#include <string>

// Moves `source` over `target`, replacing it; false when the target is
// unchanged.
bool ZrReplaceFile(const std::string& source, const std::string& target);
