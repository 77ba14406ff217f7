// What the engine's dialogs ask of their engine window: its texts, and the
// conference operations their buttons start.
#pragma once

#include <cstdint>
#include <string>

class IEngineDialogActions
{
public:
    virtual ~IEngineDialogActions() = default;

    // The engine's string `number`.
    virtual std::string String(int32_t number) = 0;
    // The host name shown after the dialogs' captions; empty for none.
    virtual std::string HostName() = 0;
    virtual std::string LocalUserName() = 0;

    virtual void SendText(int32_t user, const std::string& text) = 0;
    virtual void SendWarning(int32_t user, const std::string& text) = 0;
    virtual void ShowStatus(int32_t stringNumber) = 0;
    virtual void AnswerInvitation(int32_t user, bool accept) = 0;
    virtual void Gag(int32_t user, int32_t minutes) = 0;
    virtual void RenameLocalUser(const std::string& name) = 0;
    // The name typed into the name-required dialog: stored, then joined with.
    virtual void JoinAs(const std::string& name) = 0;
    // The instant-message dialog with `user`, opened or brought to the top.
    virtual void OpenInstantMessage(int32_t user) = 0;
};
