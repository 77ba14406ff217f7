// What the Community Servers dialog needs of the application: where the
// server list file is, the default server of the settings, the fonts of the
// list and whether the user is in a place.
#pragma once

#include <string>

class CFont;

class IServerListHost {
 public:
  // The list file named by the settings, and the one in the program folder
  // that takes the place of a bad path.
  virtual std::string GetListFilePath() = 0;
  virtual std::string GetDefaultListFilePath() = 0;
  virtual void SetListFilePath(const std::string& path) = 0;
  // The default server's title and host named by the settings file.
  virtual void GetDefaultServer(std::string& title, std::string& host) = 0;
  // Makes the server the home server of the settings and saves them.
  virtual void SetHomeServer(const std::string& title, const std::string& address) = 0;
  // The application's list font, bold or normal; null: the dialog's own.
  virtual CFont* GetListFont(bool bold) = 0;
  // The own user is in a place of the community.
  virtual bool IsInPlace() = 0;

 protected:
  ~IServerListHost() = default;
};
