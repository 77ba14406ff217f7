// ICommunityStore: where the community connection stores the community's
// configuration items, and what it starts once they are stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ICommunityStore {
public:
    virtual void SetCommunityText(uint16_t code, const std::string& text) = 0;
    // The page that the browser frame opens again.
    virtual void SetCurrentUrl(const std::string& url) = 0;
    virtual void SetCommunityTitle(const std::string& title) = 0;
    virtual void SetLoginBaseUrl(const std::string& url) = 0;
    virtual void SetWordList(const std::vector<std::string>& words) = 0;
    virtual void SetValue(uint16_t code, uint32_t value) = 0;
    // Loads the service links again; true when they loaded.
    virtual bool ReloadServiceLinks() = 0;
    virtual void BuildServiceLinksMenu() = 0;
    virtual void StartLogin() = 0;
    virtual void RunPendingRefresh() = 0;
    // The address the browser frame shows while a community is connected to.
    virtual std::string GetResetUrl() const = 0;
    virtual void ShowPage(const std::string& url) = 0;
    // A connection that failed before the community's items arrived (the
    // reason code of the failure): nobody else tells the user.
    virtual void OnConnectFailed(int32_t reason) = 0;

protected:
    ~ICommunityStore() = default;
};
