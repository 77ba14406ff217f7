// Names from the network: whatever an offer is called, what is proposed for
// saving is a plain name inside the chosen folder, and the preview file's
// extension cannot carry a path.
#include <gtest/gtest.h>

#include "TransferNames.h"

namespace {

TEST(TransferNames, HostileNamesStayPlainNames) {
  struct Case {
    const char* offered;
    const char* safe;
  };
  const Case cases[] = {
      {"notes.txt", "notes.txt"},
      {"..\\..\\windows\\win.ini", "win.ini"},
      {"../../etc/passwd", "passwd"},
      {"C:\\autoexec.bat", "autoexec.bat"},
      {"C:evil.exe", "evil.exe"},
      {"\\\\server\\share\\x.doc", "x.doc"},
      {"..", "received file"},
      {"...", "received file"},
      {"", "received file"},
      {"dir\\", "received file"},
      {"CON", "received file"},
      {"nul.txt", "received file"},
      {"com1.log", "received file"},
      {"lpt9", "received file"},
      {"console.txt", "console.txt"},
      {"bad<>|?*\"name.txt", "badname.txt"},
      {"tab\tand\nnewline.txt", "tabandnewline.txt"},
      {"trailing. . .", "trailing"},
      {"  spaced.txt", "spaced.txt"},
      {"caf\xE9.txt", "caf\xE9.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeFileName(c.offered), c.safe) << c.offered;
}

TEST(TransferNames, LongNamesKeepTheirEnd) {
  const std::string name = std::string(300, 'a') + ".gif";
  const std::string safe = SafeFileName(name);
  EXPECT_EQ(safe.size(), 200u);
  EXPECT_EQ(safe.substr(safe.size() - 4), ".gif");
}

TEST(TransferNames, ExtensionCarriesNoPath) {
  struct Case {
    const char* offered;
    const char* extension;
  };
  const Case cases[] = {
      {"wave.zra", ".zra"},  {"face.GIF", ".GIF"},         {"noext", ""},
      {"a.", ""},            {"a.\\..\\..\\evil", ""},      {"a./x", ""},
      {"a.toolongext", ""},  {"archive.tar.gz", ".gz"},     {"a.b c", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeExtension(c.offered), c.extension) << c.offered;
}

TEST(TransferNames, KindFollowsExtensionAndAvatarSize) {
  EXPECT_EQ(TransferKindOf("wave.ZRA", 99999), TransferObjectKind::kGesture);
  EXPECT_EQ(TransferKindOf("face.gif", 16384), TransferObjectKind::kAvatar);
  EXPECT_EQ(TransferKindOf("face.bmp", 16385), TransferObjectKind::kFile);
  EXPECT_EQ(TransferKindOf("face.Bmp", 100), TransferObjectKind::kAvatar);
  EXPECT_EQ(TransferKindOf("face.gif.exe", 100), TransferObjectKind::kFile);
  EXPECT_EQ(TransferKilobytes(130048), 128u);
  EXPECT_EQ(TransferKilobytes(0), 1u);
}

}  // namespace

namespace {

TEST(TransferNames, SendsAreRefusedForTheFirstReason) {
  struct Case {
    SendTargetState state;
    SendRefusal refusal;
  };
  const Case cases[] = {
      {{false, false, false, 0}, SendRefusal::kNone},
      {{false, false, false, 120}, SendRefusal::kNone},
      {{false, false, false, 121}, SendRefusal::kPathTooLong},
      {{true, false, false, 0}, SendRefusal::kIgnored},
      {{true, true, true, 500}, SendRefusal::kIgnored},
      {{false, true, false, 0}, SendRefusal::kDialogOpen},
      {{false, true, true, 500}, SendRefusal::kDialogOpen},
      {{false, false, true, 0}, SendRefusal::kOnStage},
      {{false, false, true, 121}, SendRefusal::kOnStage},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SendRefusalFor(c.state), c.refusal)
        << c.state.ignored << c.state.dialogOpen << c.state.onStage << " " << c.state.presetPathLength;
  }
}

}  // namespace
