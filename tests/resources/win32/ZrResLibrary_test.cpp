// The built resource libraries loaded as the client loads them: the fourteen
// exports by name, and every resource of the manifest through the platform's
// loaders (strings, dialogs created hidden, menus, pictures, cursors, the
// icon, the accelerator table and the version record).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ZrResValues.h"

namespace {

struct ManifestEntry {
  std::string kind;
  std::vector<std::string> fields;
};

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<ManifestEntry> ReadManifest() {
  std::vector<ManifestEntry> entries;
  std::ifstream file(ZR_RES_MANIFEST);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) fields.push_back(field);
    ManifestEntry entry{fields[0], {fields.begin() + 1, fields.end()}};
    entries.push_back(entry);
  }
  return entries;
}

const std::vector<ManifestEntry>& Manifest() {
  static const std::vector<ManifestEntry> entries = ReadManifest();
  return entries;
}

std::vector<const ManifestEntry*> EntriesOf(const std::string& kind) {
  std::vector<const ManifestEntry*> out;
  for (const ManifestEntry& entry : Manifest()) {
    if (entry.kind == kind) out.push_back(&entry);
  }
  EXPECT_FALSE(out.empty()) << "no " << kind << " entries in " << ZR_RES_MANIFEST;
  return out;
}

int Number(const std::string& text) { return std::stoi(text); }

LPCSTR Id(int id) { return MAKEINTRESOURCEA(id); }

struct Library {
  const char* name;
  const char* path;
  const ZrBrand* brand;
};

const Library kLibraries[] = {
    {"product", ZR_RES_PRODUCT_DLL, &ZrBrand::Product()},
    {"test brand", ZR_RES_TEST_BRAND_DLL, &ZrBrand::Test()},
};

class ResourceLibrary : public ::testing::TestWithParam<Library> {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(GetParam().path);
    ASSERT_NE(module_, nullptr) << GetParam().path << " error " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  template <typename F>
  F Export(const char* name) {
    return reinterpret_cast<F>(GetProcAddress(module_, name));
  }
  HMODULE module_ = nullptr;
};

TEST_P(ResourceLibrary, ExportsGiveTheBrandsValues) {
  const CZrResValues values(*GetParam().brand);
  using IntOfNothing = int (*)();
  const std::map<std::string, int> plain = {
      {"GetAnimationFrames", 5},
      {"GetAnimationRightSpace", 2},
      {"GetNetscapeDefault", values.GetNetscapeDefault()},
      {"IsUseAvatarService", values.IsUseAvatarService()},
      {"GetGesturesInIM", values.GetGesturesInIM()},
      {"GetSendFile", values.GetSendFile()},
      {"IsCloseNetscapeOnExit", values.IsCloseNetscapeOnExit()},
      {"IsCloseNetscapeOnLaunch", values.IsCloseNetscapeOnLaunch()},
  };
  for (const auto& [name, expected] : plain) {
    const auto function = Export<IntOfNothing>(name.c_str());
    ASSERT_NE(function, nullptr) << name;
    EXPECT_EQ(function(), expected) << name;
  }

  const auto checkVersion = Export<int (*)(int, int, int)>("CheckVersion");
  ASSERT_NE(checkVersion, nullptr);
  EXPECT_EQ(checkVersion(0, 2, 1), 1);
  EXPECT_EQ(checkVersion(0, 2, 0), 1);
  EXPECT_EQ(checkVersion(0, 2, 2), 0);
  EXPECT_EQ(checkVersion(0, 3, 1), 0);
  EXPECT_EQ(checkVersion(1, 2, 1), 0);

  const auto getDllVersion = Export<char* (*)(char*, int*, int*)>("GetDllVersion");
  ASSERT_NE(getDllVersion, nullptr);
  char code[80] = {};
  int major = 0, minor = 0;
  EXPECT_EQ(getDllVersion(code, &major, &minor), code);
  EXPECT_STREQ(code, GetParam().brand->code);
  EXPECT_EQ(major * 10 + minor, 21);

  const auto getColor = Export<uint32_t (*)(uint32_t)>("GetColor");
  ASSERT_NE(getColor, nullptr);
  EXPECT_EQ(getColor(0), PALETTERGB(204, 204, 204));
  EXPECT_EQ(getColor(9), PALETTERGB(218, 218, 255));
  EXPECT_EQ(getColor(19), RGB(128, 0, 128));
  EXPECT_EQ(getColor(20), 0u);

  const auto getString = Export<void (*)(uint32_t, char*)>("GetString");
  ASSERT_NE(getString, nullptr);
  for (uint32_t i = 0; i < 17; ++i) {
    char text[80];
    getString(i, text);
    EXPECT_STREQ(text, GetParam().brand->strings[i]) << i;
  }
  char untouched[80] = "keep";
  getString(17, untouched);
  EXPECT_STREQ(untouched, "keep");

  const auto getToolBar = Export<int (*)(uint32_t, uint32_t, int*, int*, int*, int*, int*, int*,
                                         int*, int*)>("GetToolBar");
  ASSERT_NE(getToolBar, nullptr);
  int b[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  EXPECT_EQ(getToolBar(1, 1, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]), 1326);
  EXPECT_EQ(b[0], 523);
  EXPECT_EQ(b[3], 526);
  EXPECT_EQ(b[7], 0);
  EXPECT_EQ(getToolBar(1, 5, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]), 0);
  EXPECT_EQ(b[0], 523);

  const auto getUseOldPtg = Export<int (*)(int*)>("GetUseOldPTG");
  ASSERT_NE(getUseOldPtg, nullptr);
  int flag = -1;
  EXPECT_EQ(getUseOldPtg(&flag), 0);
  EXPECT_EQ(flag, GetParam().brand->useOldPtgFlag);
}

TEST_P(ResourceLibrary, EveryListedStringLoads) {
  for (const ManifestEntry* entry : EntriesOf("string")) {
    const int id = Number(entry->fields[0]);
    const std::string expected = Unescape(entry->fields[1]);
    char text[1024] = {};
    const int length = LoadStringA(module_, id, text, sizeof text);
    EXPECT_EQ(std::string(text, length > 0 ? length : 0), expected) << "string " << id;
  }
  for (const ManifestEntry* entry : EntriesOf("prompt")) {
    char text[1024] = {};
    LoadStringA(module_, Number(entry->fields[0]), text, sizeof text);
    EXPECT_NE(std::strchr(text, '\n'), nullptr) << "prompt " << entry->fields[0];
  }
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_P(ResourceLibrary, EveryDialogCreatesHiddenWithItsControls) {
  HWND parent = CreateWindowExA(0, "STATIC", "dialog parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  std::map<int, std::vector<const ManifestEntry*>> controls;
  for (const ManifestEntry* entry : EntriesOf("control")) {
    controls[Number(entry->fields[0])].push_back(entry);
  }
  for (const ManifestEntry* entry : EntriesOf("dialog")) {
    const int id = Number(entry->fields[0]);
    HWND dialog = CreateDialogParamA(module_, Id(id), parent, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr) << "dialog " << id << " error " << GetLastError();
    EXPECT_FALSE(IsWindowVisible(dialog)) << "dialog " << id;
    if (entry->fields[1] != "-") {
      char caption[256] = {};
      GetWindowTextA(dialog, caption, sizeof caption);
      EXPECT_EQ(std::string(caption), entry->fields[1]) << "dialog " << id;
    }
    for (const ManifestEntry* control : controls[id]) {
      const int controlId = Number(control->fields[1]);
      HWND item = GetDlgItem(dialog, controlId);
      EXPECT_NE(item, nullptr) << "dialog " << id << " control " << controlId;
      if (item && control->fields[2] != "-") {
        char text[512] = {};
        GetWindowTextA(item, text, sizeof text);
        EXPECT_EQ(std::string(text), Unescape(control->fields[2]))
            << "dialog " << id << " control " << controlId;
      }
    }
    DestroyWindow(dialog);
  }
  DestroyWindow(parent);
}

std::string MenuText(HMENU menu, UINT command) {
  char text[256] = {};
  GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
  return text;
}

TEST_P(ResourceLibrary, MenusHoldTheirItemsAndPopups) {
  std::map<int, HMENU> menus;
  for (const ManifestEntry* entry : EntriesOf("menu")) {
    const int id = Number(entry->fields[0]);
    HMENU menu = LoadMenuA(module_, Id(id));
    ASSERT_NE(menu, nullptr) << "menu " << id;
    ASSERT_NE(GetSubMenu(menu, 0), nullptr) << "menu " << id << " has no first popup";
    if (entry->fields[1] != "-") {
      char text[256] = {};
      GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
      EXPECT_EQ(std::string(text), entry->fields[1]) << "menu " << id;
    }
    menus[id] = menu;
  }
  for (const ManifestEntry* entry : EntriesOf("menuitem")) {
    const UINT command = Number(entry->fields[1]);
    const std::string expected = Unescape(entry->fields[2]);
    bool found = false;
    for (const auto& [id, menu] : menus) {
      if (entry->fields[0] != "*" && Number(entry->fields[0]) != id) continue;
      found = found || MenuText(menu, command) == expected;
    }
    EXPECT_TRUE(found) << "menu " << entry->fields[0] << " item " << command << " " << expected;
  }
  for (const ManifestEntry* entry : EntriesOf("popup")) {
    HMENU popup = GetSubMenu(menus[Number(entry->fields[0])], Number(entry->fields[1]));
    ASSERT_NE(popup, nullptr) << "popup " << entry->fields[1];
    EXPECT_NE(GetMenuState(popup, Number(entry->fields[2]), MF_BYCOMMAND), static_cast<UINT>(-1))
        << "popup " << entry->fields[1] << " lacks " << entry->fields[2];
  }
  for (const auto& [id, menu] : menus) DestroyMenu(menu);
}

TEST_P(ResourceLibrary, PicturesCursorsAndIconLoad) {
  for (const ManifestEntry* entry : EntriesOf("bitmap")) {
    HBITMAP bitmap = LoadBitmapA(module_, Id(Number(entry->fields[0])));
    EXPECT_NE(bitmap, nullptr) << "bitmap " << entry->fields[0];
    if (bitmap) DeleteObject(bitmap);
  }
  for (const ManifestEntry* entry : EntriesOf("cursor")) {
    EXPECT_NE(LoadCursorA(module_, Id(Number(entry->fields[0]))), nullptr)
        << "cursor " << entry->fields[0];
  }
  EXPECT_NE(LoadIconA(module_, Id(128)), nullptr);
}

TEST_P(ResourceLibrary, AcceleratorTable128IsExactlyTheListedKeys) {
  HACCEL table = LoadAcceleratorsA(module_, Id(128));
  ASSERT_NE(table, nullptr);
  ACCEL entries[32];
  const int count = CopyAcceleratorTableA(table, entries, 32);
  const BYTE kVirt = FVIRTKEY;
  const ACCEL expected[] = {
      {kVirt | FCONTROL, 'C', 57634},        {kVirt | FCONTROL, VK_INSERT, 57634},
      {kVirt | FCONTROL, 'X', 57635},        {kVirt | FSHIFT, VK_DELETE, 57635},
      {kVirt | FCONTROL, 'V', 57637},        {kVirt | FSHIFT, VK_INSERT, 57637},
      {kVirt | FCONTROL, 'Z', 57643},        {kVirt | FALT, VK_BACK, 57643},
      {kVirt | FCONTROL, 'I', 32797},        {kVirt | FCONTROL, 'N', 57600},
      {kVirt | FCONTROL, 'O', 57601},        {kVirt | FCONTROL, 'S', 57603},
      {kVirt, VK_F1, 57670},                 {kVirt | FSHIFT, VK_F1, 57669},
      {kVirt, VK_F6, 57680},                 {kVirt | FSHIFT, VK_F6, 57681},
  };
  ASSERT_EQ(count, static_cast<int>(std::size(expected)));
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(entries[i].fVirt & ~FNOINVERT, expected[i].fVirt) << i;
    EXPECT_EQ(entries[i].key, expected[i].key) << i;
    EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
  }
  DestroyAcceleratorTable(table);
}

TEST_P(ResourceLibrary, VersionRecordIs2100) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(GetParam().path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoA(GetParam().path, 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length));
  EXPECT_EQ(info->dwFileVersionMS, MAKELONG(1, 2));
  EXPECT_EQ(info->dwFileVersionLS, 0u);
}

INSTANTIATE_TEST_SUITE_P(Brands, ResourceLibrary, ::testing::ValuesIn(kLibraries),
                         [](const ::testing::TestParamInfo<Library>& info) {
                           return std::string(info.param.brand->code);
                         });

}  // namespace
