// The resource library loaded by file name: its module handle, its version
// test and the product settings the client reads from its exports. Every
// export is bound by name on the loaded module, so a missing or foreign
// library is reported instead of stopping the program loader.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class CZrResLibrary {
 public:
  enum Result { kLoaded, kNotFound, kIncompatible };

  // The version the client needs.
  static constexpr int kMajor = 2;
  static constexpr int kMinor = 1;
  // Callers pass GetString and GetDllVersion a buffer of this size.
  static constexpr size_t kStringSize = 80;

  CZrResLibrary() = default;
  ~CZrResLibrary();
  CZrResLibrary(const CZrResLibrary&) = delete;
  CZrResLibrary& operator=(const CZrResLibrary&) = delete;

  // Loads the library; on kIncompatible it is freed again.
  Result Load(const std::string& fileName);
  void Free();
  HMODULE Module() const { return m_module; }

  // Entry of the product string table; empty before the library is loaded.
  std::string GetString(uint32_t index) const;
  // The three-letter brand code.
  std::string BrandCode() const;
  bool IsCloseNetscapeOnLaunch() const;
  bool IsCloseNetscapeOnExit() const;
  // The other browser is preferred to the embedded one.
  bool IsNavigatorDefault() const;
  bool IsUseAvatarService() const;
  bool CanSendFiles() const;
  // The Directory command shows the places manager instead of the page.
  bool UseOldPlacesDirectory() const;
  COLORREF GetColor(uint32_t index) const;
  int GetAnimationFrames() const;
  int GetAnimationRightSpace() const;

  // One button of a tool bar: its command (0 ends the bar), its four
  // pictures in the order hot, normal, disabled, pressed overlay, and four
  // further values.
  struct ToolBarButton {
    int command = 0;
    int bitmaps[4] = {};
    int values[4] = {};
  };
  ToolBarButton GetToolBarButton(uint32_t bar, uint32_t button) const;

  // The library of the running program, for the settings' callbacks.
  static CZrResLibrary* Current() { return s_current; }
  static void StringOfCurrent(uint32_t index, char* buffer);
  static int SendFileOfCurrent();

 private:
  using CheckVersionFn = int (*)(int, int, int);
  using GetStringFn = void (*)(uint32_t, char*);
  using GetDllVersionFn = char* (*)(char*, int*, int*);
  using SwitchFn = int (*)();
  using FlagFn = int (*)(int*);
  using ColorFn = uint32_t (*)(uint32_t);
  using ToolBarFn = int (*)(uint32_t, uint32_t, int*, int*, int*, int*, int*, int*, int*, int*);

  bool Bind();

  HMODULE m_module = nullptr;
  CheckVersionFn m_checkVersion = nullptr;
  GetStringFn m_getString = nullptr;
  GetDllVersionFn m_getDllVersion = nullptr;
  SwitchFn m_closeNetscapeOnLaunch = nullptr;
  SwitchFn m_useAvatarService = nullptr;
  SwitchFn m_sendFile = nullptr;
  SwitchFn m_closeNetscapeOnExit = nullptr;
  SwitchFn m_navigatorDefault = nullptr;
  SwitchFn m_animationFrames = nullptr;
  SwitchFn m_animationRightSpace = nullptr;
  FlagFn m_useOldPtg = nullptr;
  ColorFn m_getColor = nullptr;
  ToolBarFn m_getToolBar = nullptr;

  static CZrResLibrary* s_current;
};
