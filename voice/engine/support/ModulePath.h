// Splitting a module's full path into the directory and the file name that the
// registry's "Directories" key records.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct ModulePath
{
    std::string directory; // up to and including the last backslash
    std::string fileName;
};

// Nothing when the path has no backslash or the name after the last one is
// shorter than two characters.
std::optional<ModulePath> SplitModulePath(std::string_view path);
