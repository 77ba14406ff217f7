#include "ModulePath.h"

namespace {

constexpr size_t kShortestFileName = 2;

} // namespace

std::optional<ModulePath> SplitModulePath(std::string_view path)
{
    const size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos || path.size() - slash - 1 < kShortestFileName)
        return std::nullopt;
    return ModulePath{std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}
