// The fixture of the main window's control tests: a fresh FakeAppUi installed
// for every test, with the main window's queue emptied before the test and
// the thread's messages delivered after it.
#pragma once
#include <gtest/gtest.h>

#include "FakeAppUi.h"

class AppUiTest : public ::testing::Test {
 protected:
  FakeAppUi ui;
  void SetUp() override;
  void TearDown() override;
};
