// IPlaceFrame: the browser frame in which the root place's page is shown.
#pragma once

#include <string>

class IPlaceFrame {
public:
    // Address of the page shown; empty when none.
    virtual std::string GetPageUrl() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void ShowPage(const std::string& url) = 0;
    // Shows the page that the guide of the user's tour went to; the user
    // stays in the place (the tour does not leave it).
    virtual void FollowGuidePage(const std::string& url) = 0;
    virtual void Layout() = 0;

protected:
    ~IPlaceFrame() = default;
};
