// The settings' view of the running program on Windows: the program folder,
// the desktop's size, texts of the resource module and the resource
// library's product strings and send-file switch. The application supplies
// its community name and connection state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ZrSettingsHost.h"

class CZrWinSettingsHost : public IZrSettingsHost {
 public:
  using ProductStringFunction = void (*)(uint32_t index, char* buffer);
  using SendFileFunction = int (*)();
  // Callers pass the resource library's GetString a buffer of this size.
  static constexpr size_t kProductStringSize = 80;

  CZrWinSettingsHost(ProductStringFunction productString, SendFileFunction sendFile);

  // The module that string numbers are loaded from.
  void SetResourceModule(HMODULE module) { m_resources = module; }
  void SetCommunitySource(std::function<std::string()> source);
  void SetOwnNameSource(std::function<bool(std::string&)> source);

  std::string ProgramFolder() override;
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  std::string ProductString(uint32_t index) override;
  std::string Text(uint32_t id) override;
  bool CanSendFiles() override;
  std::string CommunityName() override;
  bool ConnectedOwnName(std::string& name) override;

 private:
  int32_t DesktopMeasure(int index);

  ProductStringFunction m_productString;
  SendFileFunction m_sendFile;
  HMODULE m_resources = nullptr;
  std::function<std::string()> m_community;
  std::function<bool(std::string&)> m_ownName;
};
