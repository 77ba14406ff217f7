// CWebHostBase: a browser host of the directory browser, every operation with
// an empty default; CWebHost carries them out with a web control.
#pragma once

#include <windows.h>

#include <string>

class CWebHostNotify;

class CWebHostBase {
 public:
  explicit CWebHostBase(CWebHostNotify& notify) : m_notify(notify) {}
  virtual ~CWebHostBase() = default;

  virtual bool Create(const RECT& /*rect*/, HWND /*parent*/) { return false; }
  virtual void Move(const RECT& /*rect*/) {}
  virtual void Navigate(const std::string& /*address*/, bool /*allowCache*/, bool /*force*/) {}
  virtual void NavigateTo(const std::string& /*address*/) {}
  virtual void Stop() {}
  virtual void Refresh() {}
  virtual std::string GetLocationURL() const { return std::string(); }
  virtual void RemoveScrollBars() {}
  // Asks whether the navigation to address may go on; sets cancel and
  // returns true when the client has taken the link.
  virtual bool AskNavigation(const std::string& /*address*/, bool& /*cancel*/) { return false; }
  virtual void PageShown(const std::string& /*address*/) {}

 protected:
  CWebHostNotify& Notify() const { return m_notify; }

 private:
  CWebHostNotify& m_notify;
};
