// CWebControl: a web page control as the window hosting it sees it: a child
// window that navigates, stops, refreshes and tells its address, and that
// reports its events to a CWebControlEvents. The page view of the client
// and the directory program both host one.
#pragma once

#include <windows.h>

#include <string>

// Events of a web control; the names follow the control's events.
class CWebControlEvents {
 public:
  virtual ~CWebControlEvents() = default;
  // A navigation is about to start; set cancel to stop it. secondForm marks
  // the newer event form, whose address may need the "http:/" repair.
  virtual void OnBeforeNavigate(const std::string& address, bool secondForm, bool& cancel) = 0;
  // A navigation of a frame inside the page is about to start.
  virtual void OnFrameBeforeNavigate(const std::string& /*address*/, bool& /*cancel*/) {}
  virtual void OnNavigateComplete(const std::string& address) = 0;
  virtual void OnStatusTextChange(const std::string& text) = 0;
  virtual void OnProgressChange(long progress, long maximum) = 0;
  virtual void OnDownloadBegin() = 0;
  virtual void OnDownloadComplete() = 0;
  virtual void OnTitleChange(const std::string& title) = 0;
};

class CWebControl {
 public:
  virtual ~CWebControl() = default;
  // Creates the control as a child of parent in rect with the given style and
  // identifier; events go to events. False when it cannot be created.
  virtual bool Create(HWND parent, const RECT& rect, DWORD style, UINT id,
                      CWebControlEvents& events) = 0;
  virtual HWND Window() const = 0;
  virtual void Move(const RECT& rect) = 0;
  // Starts loading address; noCache loads it without the cache.
  virtual void Navigate(const std::string& address, bool noCache) = 0;
  virtual void Stop() = 0;
  virtual void Refresh() = 0;
  // The current address and page title; empty when unknown.
  virtual std::string LocationURL() const = 0;
  virtual std::string LocationName() const = 0;
};
