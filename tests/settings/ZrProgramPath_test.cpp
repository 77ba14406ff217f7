// The program folder, base path and settings file cut from the program
// file's name.
#include "ZrProgramPath.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
  const char* file;
  const char* folder;
  const char* basePath;
  const char* settingsFile;
};

TEST(ZrProgramPath, FolderBasePathAndSettingsFile) {
  const PathCase cases[] = {
      {"C:\\Program Files\\Zanthe\\zrplaces.exe", "C:\\Program Files\\Zanthe\\",
       "C:\\Program Files\\Zanthe\\zrplaces", "C:\\Program Files\\Zanthe\\zrplaces.ini"},
      {"C:\\zrplaces.exe", "C:\\", "C:\\zrplaces", "C:\\zrplaces.ini"},
      {"D:\\my.dir\\zrplaces", "D:\\my.dir\\", "D:\\my.dir\\zrplaces", "D:\\my.dir\\zrplaces.ini"},
      {"D:\\a\\zr.test.exe", "D:\\a\\", "D:\\a\\zr.test", "D:\\a\\zr.test.ini"},
      {"\\\\server\\share\\zr.exe", "\\\\server\\share\\", "\\\\server\\share\\zr",
       "\\\\server\\share\\zr.ini"},
      {"Z:/work/build/zr.exe", "Z:/work/build/", "Z:/work/build/zr", "Z:/work/build/zr.ini"},
      {"C:zr.exe", "C:\\", "C:zr", "C:zr.ini"},
  };
  for (const PathCase& c : cases) {
    const CZrProgramPath path(c.file);
    EXPECT_EQ(path.Folder(), c.folder) << c.file;
    EXPECT_EQ(path.BasePath(), c.basePath) << c.file;
    EXPECT_EQ(path.SettingsFile(), c.settingsFile) << c.file;
  }
}

TEST(ZrProgramPath, ALongPathIsKeptWhole) {
  const std::string folder = "C:\\" + std::string(400, 'd') + "\\";
  const CZrProgramPath path(folder + "zrplaces.exe");
  EXPECT_EQ(path.Folder(), folder);
  EXPECT_EQ(path.SettingsFile(), folder + "zrplaces.ini");
}

}  // namespace
