// Image library rules: the start folder a caller gives, which files are
// opened and listed for a cell or reference size, the folder text cut to
// its field, and the mood files of a stock avatar.
#include <gtest/gtest.h>

#include <string>

#include "ImageLibraryRules.h"

namespace {

TEST(ImageLibraryRules, StartFolderIsTrimmedAndLosesItsTrailingBackslash)
{
    const std::string fallback = "c:\\zr\\exts\\stockavatars";
    struct Case {
        const char* given;
        std::string folder;
    };
    const Case cases[] = {
        {"c:\\pics\\", "c:\\pics"},
        {"c:\\pics", "c:\\pics"},
        {"  c:\\pics\\ \t", "c:\\pics"},
        {"c:\\", "c:"},
        {"", fallback},
        {"   ", fallback},
        {"\\", fallback},
    };
    for (const Case& c : cases) EXPECT_EQ(NormaliseStartFolder(c.given, fallback), c.folder) << c.given;
}

TEST(ImageLibraryRules, PatternsOfEachMode)
{
    EXPECT_EQ(ImagePatterns(true), (std::vector<std::string>{"*a.gif"}));
    EXPECT_EQ(ImagePatterns(false), (std::vector<std::string>{"*.gif", "*.bmp"}));
}

TEST(ImageLibraryRules, FilesOpenedBySizeAndName)
{
    const ImageCell cell{48, 64};  // limit 48 * 64 * 4 + 3072 = 15360
    struct Case {
        const char* name;
        uint64_t size;
        bool avatarsOnly;
        bool opened;
    };
    const Case cases[] = {
        {"face.gif", 15360, false, true},
        {"face.gif", 15361, false, false},
        {"face.gif", 0, false, true},
        {"facea.gif", 100, true, true},
        {"FACEA.GIF", 100, true, true},
        {"face.gif", 100, true, false},
        {"facea.gif", 15361, true, false},
        {"a", 10, true, true},
        {".gif", 10, true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MayOpenImageFile(c.name, c.size, cell, c.avatarsOnly), c.opened)
            << c.name << " " << c.size << " " << c.avatarsOnly;
    EXPECT_FALSE(MayOpenImageFile("x.gif", 1, ImageCell{0, 64}, false));
    // No overflow for the largest cells.
    EXPECT_TRUE(MayOpenImageFile("x.gif", 1ull << 40, ImageCell{1 << 30, 1 << 30}, false));
}

TEST(ImageLibraryRules, PicturesListedByCellOrReference)
{
    const ImageCell cell{48, 64};
    struct Case {
        int32_t width;
        int32_t height;
        bool reference;
        bool listed;
    };
    const Case cases[] = {
        {48, 64, false, true}, {20, 20, false, true}, {49, 64, false, false}, {48, 65, false, false},
        {48, 64, true, true},  {48, 63, true, false}, {47, 64, true, false},  {0, 10, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageFitsCell(c.width, c.height, cell, c.reference, 48, 64), c.listed)
            << c.width << "x" << c.height << " ref " << c.reference;
}

TEST(ImageLibraryRules, LongFolderShowsDriveDotsAndLastFolders)
{
    // One pixel per character.
    auto width = [](const std::string& text) { return static_cast<int32_t>(text.size()); };
    const std::string folder = "c:\\program files\\zanthe\\exts\\stockavatars";
    struct Case {
        int32_t maxWidth;
        std::string shown;
    };
    const Case cases[] = {
        {100, folder},
        {static_cast<int32_t>(folder.size()), folder},
        {40, "c:\\...\\zanthe\\exts\\stockavatars"},
        {25, "c:\\...\\exts\\stockavatars"},
        {19, "c:\\...\\stockavatars"},
        {5, "c:\\...\\stockavatars"},  // nothing further to drop
    };
    for (const Case& c : cases) EXPECT_EQ(ShortenFolderText(folder, c.maxWidth, width), c.shown) << c.maxWidth;
    EXPECT_EQ(ShortenFolderText("c:\\averyveryverylongname", 5, width), "c:\\averyveryverylongname");
}

TEST(ImageLibraryRules, StockMoodFilesReplaceTheLetterBeforeTheExtension)
{
    EXPECT_EQ(StockMoodFile("c:\\stock\\bluea.gif", 'b'), "c:\\stock\\blueb.gif");
    EXPECT_EQ(StockMoodFile("c:\\stock\\bluea.gif", 'd'), "c:\\stock\\blued.gif");
    EXPECT_EQ(StockMoodFile("a.gif", 'c'), "c.gif");
    EXPECT_EQ(StockMoodFile(".gif", 'c'), "");
}

}  // namespace
