// What a browser view reports to the frame that hosts it. Every frame that
// hosts a browser view provides one and hands it to the view.
#pragma once

#include <cstdint>
#include <string>

class IBrowserOwner {
 public:
  virtual ~IBrowserOwner() = default;

  // A new page is shown.
  virtual void OnNavigated(const std::string& url, const std::string& second) = 0;
  // The page asked for its window to close.
  virtual void OnCloseRequest(const std::string& text) = 0;
  // A place link was taken instead of loaded.
  virtual void OnPlaceTaken() = 0;
  virtual void OnDownloadBegin() = 0;
  virtual void OnDownloadComplete(bool flag) = 0;
  // Status-line text of the browser.
  virtual void OnStatusText(const std::string& text) = 0;
  // Loading progress, 0-100.
  virtual void OnProgress(int32_t percent) = 0;
  // The page's URL and title; final when loading has ended.
  virtual void OnLocation(const std::string& url, const std::string& title, bool final) = 0;
  // Open this URL, taken from the history.
  virtual void OnHistoryNavigate(const std::string& url, const std::string& extra) = 0;
  // Whether new page URLs go to the application's current URL.
  virtual bool WantsUrlReports() = 0;
  virtual bool IsTourOwner() = 0;
};
