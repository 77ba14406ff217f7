#include "AppUiTest.h"

#include "AppTestEnvironment.h"
#include "CWnd.h"
#include "MessagePump.h"

void AppUiTest::SetUp() {
  SetAppUi(&ui);
  Pump();
  TakeMessages(MainWnd()->GetSafeHwnd(), 0);
}

void AppUiTest::TearDown() {
  Pump();
  SetAppUi(nullptr);
}
