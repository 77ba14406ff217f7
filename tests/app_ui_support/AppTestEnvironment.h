// The application as the main window's control tests run it: the product's
// resource library as the resource module and as the source of the palette,
// and an application object with a visible top-level main window of the test
// program's choosing. A program registers one with
// testing::AddGlobalTestEnvironment.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

class CWinApp;
class CWnd;

class AppTestEnvironment : public testing::Environment {
 public:
  // A new main window object whose window is not made yet; it deletes itself
  // when its window ends.
  using WindowFactory = std::function<CWnd*()>;

  // name titles the main window; the application is "<name> Tests".
  AppTestEnvironment(std::string name, WindowFactory newMainWindow,
                     const RECT& mainRect = RECT{0, 0, 480, 360});
  ~AppTestEnvironment() override;

  void SetUp() override;
  void TearDown() override;

 private:
  void LoadResources();
  void MakeMainWindow();

  std::string m_name;
  WindowFactory m_newMainWindow;
  RECT m_mainRect;
  std::unique_ptr<CWinApp> m_app;
};

// The running program's main window; null outside its environment.
CWnd* MainWnd();
// The product's resource library; null outside the environment.
HMODULE Resources();
