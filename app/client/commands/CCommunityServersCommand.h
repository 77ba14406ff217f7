// The Community Servers command: runs the dialog modally with the server in
// use, and goes to the server the user connects to. It gives the dialog the
// settings, fonts and place state of the application.
#pragma once
#include "IServerListHost.h"

class CZrApp;

class CCommunityServersCommand : public IServerListHost {
 public:
  explicit CCommunityServersCommand(CZrApp& app) : m_app(app) {}

  void Run();

  // IServerListHost
  std::string GetListFilePath() override;
  std::string GetDefaultListFilePath() override;
  void SetListFilePath(const std::string& path) override;
  void GetDefaultServer(std::string& title, std::string& host) override;
  void SetHomeServer(const std::string& title, const std::string& address) override;
  CFont* GetListFont(bool bold) override;
  bool IsInPlace() override;

 private:
  CZrApp& m_app;
};
