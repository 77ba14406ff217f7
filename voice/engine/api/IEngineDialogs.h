// The dialogs an engine window shows for its conference session while its
// user interface is shown.
#pragma once

#include <cstdint>
#include <string>

class IEngineDialogs
{
public:
    virtual ~IEngineDialogs() = default;

    // A join found no user name: the name-required dialog.
    virtual void AskForUserName() = 0;
    // A text message opens or extends the instant-message dialog of `user`.
    virtual void ShowTextMessage(int32_t user, const std::string& name, const std::string& text) = 0;
    virtual void ShowWarning(int32_t user, const std::string& name, const std::string& text) = 0;
    virtual void ShowInvitation(int32_t user, const std::string& name) = 0;
    virtual void ShowInvitationDeclined(int32_t user, const std::string& name) = 0;
    // The user left the roster: the dialogs bound to the user close.
    virtual void CloseUserDialogs(int32_t user) = 0;
    virtual void CloseSessionDialogs() = 0;
};
