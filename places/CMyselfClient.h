// CMyselfClient: the local user's person. Besides what every person does it
// turns the user's movements into the library's move requests, starts tours
// and one-on-one conversations, and answers the events that only the local
// user hears: alerts, refused moves and group requests, removal from a
// group or from the room, and its own moves between the place's containers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CPersonClient.h"
#include "IMyselfViews.h"

class CPersonStateList;
class CZrGroupInfo;
class CPlace;
class IPlaceApp;

class CMyselfClient : public CPersonClient {
public:
    // Pending actions.
    static constexpr int32_t kNoAction = 0;
    static constexpr int32_t kInvitedToSpeak = 1;

    CMyselfClient(IPersonViews& views, IMyselfViews& own, IPlaceApp& app, CPersonStateList& states,
                  std::unique_ptr<CZrPersonInfo> info);

    void OnEnter() override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnDenied(uint32_t code, uint32_t destination, uint32_t value) override;
    void OnReceive(CZrObject* sender, uint32_t mode, const std::string& text, const CTvlBlob& blob) override;
    void OnAlerted(CZrObject* sender) override;
    void OnGroupCreated(uint32_t value) override;
    void OnGroupRefused(uint32_t code) override;
    void OnRequestError(uint32_t code, uint32_t kind, uint32_t value) override;
    void OnDataRefused(uint32_t code) override;
    void OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition) override;

    // The local user's move request within its place.
    int32_t MoveTo(const CZrPosition& position);
    // Inside the root place: the own position again; outside: Leave.
    void SendPosition();
    // Back to its own position in the place's room.
    int32_t Leave();
    int32_t GoToPersonsPlace(const CZrObject& person);
    // Starts a tour in the user's place: a group of the tour kind named
    // `name`, for `capacity` people, showing the picture (none: no picture).
    int32_t GoToPlace(const std::string& name, uint16_t capacity, std::unique_ptr<CTvlBlob> picture);
    // Starts a game in the user's place: a group of the game kind made from
    // the game's record.
    int32_t StartGame(const CZrGroupInfo& record);
    // Sits down in a game group on the seat (0: any seat).
    int32_t JoinGame(const CZrObject& group, uint16_t seat);

    int32_t GetPendingAction() const { return m_pendingAction; }
    uint32_t GetPendingMember() const { return m_pendingMember; }
    void SetPendingAction(int32_t action, uint32_t member);
    // The auditorium's list of seat rows that may speak changed (null: the
    // list was withdrawn).
    void FollowSpeakerList(const std::string* list);

    void AnimateIndicator() { m_own.AnimateIndicator(); }
    IMyselfViews& Own() const { return m_own; }

private:
    void FollowTourPage(const CZrGroup& tour);
    CPlace* RootPlace();
    bool InAuditorium();
    void ShowMessage(uint32_t first, uint32_t second, const std::vector<std::string>& arguments);
    void ShowMessage(const std::string& first, uint32_t second, const std::vector<std::string>& arguments);
    CZrPosition BestPosition();

    void MovedInside(CZrGroup* parent, const CZrPosition& oldPosition);
    void LeftRoom(CZrGroup* previous, CZrGroup* parent);
    void MovedOutside(CZrGroup* previous, CZrGroup* parent);
    void OpenContainerTab(CZrGroup* parent);
    void CheckSpeakInvitation(CZrGroup* previous, CZrGroup* parent);
    void OnMemberMoved(CZrGroup& group);
    void SaveRoomPosition(CZrGroup* parent);

    IMyselfViews& m_own;
    IPlaceApp& m_app;
    CPersonStateList& m_states;
    int32_t m_pendingAction = kNoAction;
    uint32_t m_pendingMember = 0;
};
