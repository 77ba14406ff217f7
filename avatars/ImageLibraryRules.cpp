#include "ImageLibraryRules.h"

#include <cctype>

namespace {

constexpr uint64_t kSizeAllowance = 3072;
constexpr char kDots[] = "...";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string NormaliseStartFolder(const std::string& folder, const std::string& defaultFolder) {
    size_t first = 0;
    size_t last = folder.size();
    while (first < last && IsBlank(folder[first])) ++first;
    while (last > first && IsBlank(folder[last - 1])) --last;
    std::string trimmed = folder.substr(first, last - first);
    if (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
    return trimmed.empty() ? defaultFolder : trimmed;
}

std::vector<std::string> ImagePatterns(bool avatarFilesOnly) {
    if (avatarFilesOnly) return {"*a.gif"};
    return {"*.gif", "*.bmp"};
}

bool MayOpenImageFile(const std::string& name, uint64_t size, const ImageCell& cell,
                      bool avatarFilesOnly) {
    if (cell.width <= 0 || cell.height <= 0) return false;
    const uint64_t limit = uint64_t(cell.width) * uint64_t(cell.height) * 4 + kSizeAllowance;
    if (size > limit) return false;
    if (!avatarFilesOnly) return true;
    const size_t dot = name.rfind('.');
    const size_t stemEnd = dot == std::string::npos ? name.size() : dot;
    return stemEnd > 0 && std::tolower(static_cast<unsigned char>(name[stemEnd - 1])) == 'a';
}

bool ImageFitsCell(int32_t width, int32_t height, const ImageCell& cell, bool hasReference,
                   int32_t referenceWidth, int32_t referenceHeight) {
    if (width <= 0 || height <= 0) return false;
    if (hasReference) return width == referenceWidth && height == referenceHeight;
    return width <= cell.width && height <= cell.height;
}

std::string ShortenFolderText(const std::string& folder, int32_t maxWidth,
                              const std::function<int32_t(const std::string&)>& widthOf) {
    if (widthOf(folder) <= maxWidth || folder.size() <= 3) return folder;
    const std::string head = folder.substr(0, 3);
    size_t cut = folder.find('\\', 3);
    if (cut == std::string::npos) return folder;
    std::string shown = head + kDots + folder.substr(cut);
    while (widthOf(shown) > maxWidth) {
        const size_t next = folder.find('\\', cut + 1);
        if (next == std::string::npos) break;
        cut = next;
        shown = head + kDots + folder.substr(cut);
    }
    return shown;
}

std::string StockMoodFile(const std::string& normalFile, char letter) {
    if (normalFile.size() < 5) return std::string();
    const size_t stem = normalFile.size() - 5;
    return normalFile.substr(0, stem) + letter + normalFile.substr(normalFile.size() - 4);
}
