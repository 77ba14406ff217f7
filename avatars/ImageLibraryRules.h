// The rules of the image library dialog that need no window: the start
// folder as given by a caller, which files of a folder are listed for a
// cell size, the folder text shortened to fit its field, and the mood
// pictures of a stock avatar.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ImageCell {
    int32_t width = 48;
    int32_t height = 64;
};

// Trimmed of blanks at both ends and of one trailing '\'; an empty result
// becomes defaultFolder.
std::string NormaliseStartFolder(const std::string& folder, const std::string& defaultFolder);

// The patterns a folder is searched with, in order.
std::vector<std::string> ImagePatterns(bool avatarFilesOnly);
// A file worth opening: at most width x height x 4 + 3072 bytes and, for
// avatar files, a name ending in 'a' before its extension.
bool MayOpenImageFile(const std::string& name, uint64_t size, const ImageCell& cell,
                      bool avatarFilesOnly);
// A picture that is listed: its size equals the reference's when there is
// one, else it fits within the cell.
bool ImageFitsCell(int32_t width, int32_t height, const ImageCell& cell, bool hasReference,
                   int32_t referenceWidth, int32_t referenceHeight);

// The folder as shown in a field maxWidth wide: the first three characters,
// "...", and the rest from a '\' on, dropping one more folder after the
// "..." while it is too wide and a further '\' is left.
std::string ShortenFolderText(const std::string& folder, int32_t maxWidth,
                              const std::function<int32_t(const std::string&)>& widthOf);

// The mood picture `letter` of a stock avatar file: the name without its
// last five characters, the letter, and its last four; empty for a name of
// fewer than five characters.
std::string StockMoodFile(const std::string& normalFile, char letter);
