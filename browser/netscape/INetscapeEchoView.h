// A view that the other browser shows pages for, as the echo link sees it.
#pragma once
#include <windows.h>

#include <string>

class INetscapeEchoView {
 public:
  virtual ~INetscapeEchoView() = default;
  // The window that the link's messages are posted to.
  virtual HWND EchoWindow() const = 0;
  // The protocol scheme the view answers for ("ZR", "ZRS", "ZRM").
  virtual std::string EchoViewName() const = 0;
  // The browser reported something that is not a page (an image, say).
  virtual void ShowEchoStatus(const std::string& text) = 0;
};
