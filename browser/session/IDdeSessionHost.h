// What the DDE session asks of the application: the root place and the
// participation indicator it acts on, the windows and settings it reaches,
// and the pictures it codes. The application implements it; tests record
// the calls.
#pragma once

#include <cstdint>
#include <string>

#include "CZrDdeItem.h"

class CZrClientPlace;
class CZrObject;
class CZrPerson;
class CZrPosition;

struct CDdeIdentity
{
    std::string nickName;
    std::string fullName;
    std::string location;
    std::string email;
};

class IDdeSessionHost
{
public:
    // Participation states of the indicator that let gated commands run.
    static constexpr unsigned kParticipating = 1;
    static constexpr unsigned kObserving = 2;

    // The root place, or null before start-up made it.
    virtual CZrClientPlace* GetRootPlace() = 0;
    virtual unsigned GetIndicatorState() const = 0;
    // The application's community name.
    virtual std::string GetCommunityName() const = 0;
    // The address of the page the root place shows.
    virtual std::string GetCurrentAddress() const = 0;
    // A text of the resource library.
    virtual std::string LoadText(uint32_t id) const = 0;

    // Brings the main window forward and switches to the community, which
    // also becomes the place text 1000 and the community name.
    virtual void ConnectCommunity(const std::string& community) = 0;
    // The root place's browser frame shows the address; the keyboard focus
    // stays where it was.
    virtual void Navigate(const std::string& url) = 0;
    // Enters the room when outside it, leaves it when inside.
    virtual void ToggleObserve() = 0;
    virtual void StartVoiceSession() = 0;
    // Where the own avatar stands in the page, for going back to the place.
    virtual CZrPosition GetAvatarPosition() const = 0;

    // The own user's group commands.
    // Starts a tour of the kind under the name, with the picture bytes (the
    // settings' tour picture when there are none).
    virtual void StartTour(const std::string& name, uint32_t kind, const ZrDdeBytes& picture) = 0;
    // Stops voice and goes back to the page before the group's.
    virtual void StopVoiceAndGoBack() = 0;
    // Joins the group (a game that its game accepts), or goes to where it is.
    virtual void JoinGroup(CZrObject& group) = 0;
    // The own user sends its position again, which takes it back into the
    // place.
    virtual void SendOwnPosition() = 0;

    // The identity fields of the settings take the texts and are saved; the
    // people list shows them.
    virtual void StoreIdentity(const CDdeIdentity& identity) = 0;
    // Decodes picture bytes and makes them the own user's member data; false
    // when they do not decode.
    virtual bool SetOwnPicture(const ZrDdeBytes& bytes) = 0;
    // The object's picture coded as GIF; empty when it has none.
    virtual ZrDdeBytes EncodePicture(CZrObject& object) = 0;

protected:
    ~IDdeSessionHost() = default;
};
