#include "UpdateListText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kLine = "1D76201;rsv;1.2.0.3;http://h/files;a.dll;a.cab;enu;ZGlnZXN0;comp";

} // namespace

TEST(UpdateListText, ReadsEveryFieldAndTheFlags)
{
    UpdateEntry entry;
    ASSERT_TRUE(UpdateListText::ParseLine(kLine, entry));
    EXPECT_EQ(entry.Text(UpdateEntry::kReserved), "rsv");
    EXPECT_EQ(entry.Text(UpdateEntry::kVersion), "1.2.0.3");
    EXPECT_EQ(entry.Text(UpdateEntry::kDirectoryUrl), "http://h/files");
    EXPECT_EQ(entry.Text(UpdateEntry::kInstalledName), "a.dll");
    EXPECT_EQ(entry.Text(UpdateEntry::kDownloadName), "a.cab");
    EXPECT_EQ(entry.Text(UpdateEntry::kExtra), "enu");
    EXPECT_EQ(entry.Text(UpdateEntry::kDigest), "ZGlnZXN0");
    EXPECT_EQ(entry.Text(UpdateEntry::kComponent), "comp");
    EXPECT_EQ(entry.Location(), '1');
    EXPECT_TRUE(entry.IsRemoval());
    EXPECT_EQ(entry.FirstHostCode(), '7');
    EXPECT_EQ(entry.SecondHostCode(), '6');
    EXPECT_EQ(entry.Kind(), '2');
    EXPECT_FALSE(entry.NeedsRestart());
    EXPECT_EQ(entry.DeliveryMethod(), '1');
    // Flags past the text count as "0"; fewer fields leave the rest empty.
    ASSERT_FALSE(UpdateListText::ParseLine("2", entry)); // kind "0"
    ASSERT_TRUE(UpdateListText::ParseLine("10CC6;;1.0", entry));
    EXPECT_EQ(entry.Kind(), '6');
    EXPECT_FALSE(entry.NeedsRestart());
    EXPECT_EQ(entry.DeliveryMethod(), '0');
    EXPECT_FALSE(entry.IsRemoval());
    EXPECT_EQ(entry.Text(UpdateEntry::kComponent), "");
}

TEST(UpdateListText, RejectsBadLocationsKindsAndOverlongFields)
{
    const struct { std::string line; bool accepted; } cases[] = {
        {"10CC1", true}, {"30CC6", true},
        {"00CC1", false}, {"40CC1", false}, {"10CC0", false}, {"10CC7", false}, {"", false},
        {"10CC1;1;2;3;4;5;6;7;8", true},
        {"10CC1;1;2;3;4;5;6;7;8;9", false}, // a tenth field
        {"10CC1000000000000X", false},      // flags over 16 characters
        {"10CC1;" + std::string(12, 'r'), false},
        {"10CC1;;" + std::string(21, '9'), false},
        {"10CC1;;;" + std::string(257, 'u'), false},
        {"10CC1;;;;" + std::string(51, 'n'), false},
        {"10CC1;;;;;" + std::string(51, 'n'), false},
        {"10CC1;;;;;;" + std::string(129, 'e'), false},
        {"10CC1;;;;;;;" + std::string(513, 'd'), false},
        {"10CC1;;;;;;;;" + std::string(51, 'c'), false},
        {"10CC1;" + std::string(11, 'r') + ";" + std::string(20, '9') + ";" + std::string(256, 'u') + ";" +
             std::string(50, 'n') + ";" + std::string(50, 'n') + ";" + std::string(128, 'e') + ";" +
             std::string(512, 'd') + ";" + std::string(50, 'c'),
         true}, // every field at its full width
    };
    for (const auto& c : cases) {
        UpdateEntry entry;
        EXPECT_EQ(UpdateListText::ParseLine(c.line, entry), c.accepted) << c.line.substr(0, 40);
    }
}

TEST(UpdateListText, SplitsLinesAndSkipsThoseNotStartingWithALetterOrDigit)
{
    const std::string text = "; comment\r\n" + kLine + "\r\n\r\n#x\n 10CC1\n\t10CC1\r10CC6;;;;b.dll\n90CC1\rZ\n10CC1";
    const UpdateListParse parsed = UpdateListText::Parse(text);
    ASSERT_EQ(parsed.entries.size(), 3u);
    EXPECT_EQ(parsed.entries[0].Text(UpdateEntry::kComponent), "comp");
    EXPECT_EQ(parsed.entries[1].Text(UpdateEntry::kInstalledName), "b.dll");
    EXPECT_EQ(parsed.entries[2].Kind(), '1');
    EXPECT_EQ(parsed.rejectedLines, 2u); // "90CC1" and "Z"
}

TEST(UpdateListText, HandOverKeepsFieldsAndFolders)
{
    UpdateEntry entry;
    ASSERT_TRUE(UpdateListText::ParseLine(kLine, entry));
    entry.installDirectory = "C:\\windows\\system32\\";
    entry.downloadDirectory = "C:\\temp\\";
    UpdateEntry second = entry;
    second.fields[UpdateEntry::kInstalledName] = "b.dll";
    const std::string text = UpdateListText::FormatHandOver({entry, second});
    const std::vector<UpdateEntry> back = UpdateListText::ParseHandOver(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].fields, entry.fields);
    EXPECT_EQ(back[0].installDirectory, entry.installDirectory);
    EXPECT_EQ(back[0].downloadDirectory, entry.downloadDirectory);
    EXPECT_EQ(back[1].Text(UpdateEntry::kInstalledName), "b.dll");
    // Lines of another shape are not taken.
    EXPECT_TRUE(UpdateListText::ParseHandOver(kLine + "\r\n0CC1;;;;;;;;;;\r\n").empty());
}
