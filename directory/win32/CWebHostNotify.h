// CWebHostNotify: what the browser host reports to its frame. Every report
// has an empty default; the frame overrides the ones it shows.
#pragma once

#include <string>

class CWebHostNotify {
 public:
  virtual ~CWebHostNotify() = default;
  virtual void NavigationDone(const std::string& /*title*/, const std::string& /*address*/) {}
  virtual void NavigationStarted() {}
  virtual void DownloadDone(int /*flag*/) {}
  virtual void StatusText(const std::string& /*text*/) {}
  virtual void Progress(int /*percent*/) {}
  virtual void TitleKnown(const std::string& /*title*/, const std::string& /*address*/, int /*flag*/) {}
  // The question whether the browser may go to address. The frame answers it
  // at once through the host's answer list, or sends it to the client; false
  // when the question could go nowhere (the navigation is then cancelled).
  virtual bool AskNavigation(const std::string& /*address*/) { return false; }
};
