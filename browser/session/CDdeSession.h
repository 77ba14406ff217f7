// The client's side of its own DDE service: it carries out the commands that
// other programs poke, answers their requests and posts the client's events
// to the programs that advise on them. Commands that act in the place wait
// in a queue while the user neither participates nor observes, and run in
// order when participation begins (Pump).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "CZrDdeItem.h"
#include "IDdeItemPoster.h"
#include "IDdeSessionHost.h"

class CZrClientPlace;
class CZrGroup;
class CZrObject;
class CZrPerson;
class CZrPlaceDesc;
class CStartGroupItem;

class CDdeSession
{
public:
    // The most place entries a QueryPlaces notification carries.
    static constexpr size_t kMaxPlaceEntries = 500;
    // Shown when a notice's own text is empty: "Unknown Internal Error".
    static constexpr uint32_t kUnknownErrorText = 348;

    explicit CDdeSession(IDdeSessionHost& host);
    ~CDdeSession();
    CDdeSession(const CDdeSession&) = delete;
    CDdeSession& operator=(const CDdeSession&) = delete;

    // Where notifications go; null posts nothing.
    void SetPoster(IDdeItemPoster* poster) { m_poster = poster; }

    // A poked command. It is carried out, ignored, or kept in the queue when
    // it must wait for participation.
    void OnCommand(std::unique_ptr<CZrDdeItem> item);
    // Fills the empty item of a request; false when there is nothing to
    // answer.
    bool OnRequest(CZrDdeItem& item, uint32_t parameter);
    // Participation began: the queued commands run in order until one has
    // to wait again.
    void Pump();
    size_t QueuedCount() const { return m_queue.size(); }

    // Notifications.
    void PostConnectCommunity();
    void PostDisconnectCommunity(uint32_t stringId);
    void PostNavigate();
    void PostQueryPlaces(const std::vector<std::unique_ptr<CZrPlaceDesc>>& places);
    // A chat line, whisper or instant message, sent or received.
    void PostSay(uint32_t sender, const std::string& name, const std::string& text, const ZrDdeBytes& bytes,
                 uint32_t valueA);
    // A coded message.
    void PostSend(uint32_t sender, const std::string& name, const std::string& text, const ZrDdeBytes& bytes,
                  uint32_t valueA, uint32_t valueC);
    // A person or group came into the room; with startVoice the voice
    // session starts first when the object is the own user or holds it.
    void PostEnterRoom(CZrObject& object, bool startVoice);
    void PostLeaveRoom(CZrObject& object);
    // The own user's position, in ten-thousandths of the page.
    void PostMove(uint32_t x, uint32_t y);
    void PostMoveError(uint32_t stringId);
    void PostAlert(uint32_t id, const std::string& name);
    void PostStartGroup(CZrGroup& group, CZrPerson& starter);
    void PostBreakGroup(CZrGroup& group);
    void PostStart1on1(CZrGroup& group, CZrPerson& person);
    void PostBreak1on1(CZrGroup& group);
    void PostJoinGroup(CZrPerson& person, CZrGroup& group);
    void PostLeaveGroup(CZrPerson& person, CZrGroup& group);
    void PostGroupError(uint32_t stringId);
    void PostPresenceIdentity(CZrPerson& person);
    void PostPresenceFace(CZrPerson& person);

private:
    // False when the command has to wait for participation.
    bool Carry(CZrDdeItem& item);
    bool IsGateOpen() const;
    CZrClientPlace* Root() const;
    CZrPerson* Myself() const;
    std::string TextOr348(uint32_t stringId) const;
    void Post(CZrDdeItem&& item);

    void QueryPlaces();
    void EnterRoom(bool enter);
    void Move(uint32_t x, uint32_t y);
    void Say(const CZrDdeItem& item);
    void Send(const CZrDdeItem& item);
    void Alert(uint32_t id);
    void StartGroup(const CStartGroupItem& item);
    void BreakGroup();
    void JoinGroup(uint32_t id);
    void LeaveGroup();
    void SetMyInfo(const CZrDdeItem& item);
    CZrObject* OwnGroupTarget(uint32_t id) const;
    void SendTo(CZrObject& object, uint32_t code, const std::string& text, const ZrDdeBytes& bytes);

    bool AnswerPlaceInfo(CZrDdeItem& item);
    bool AnswerMyPosition(CZrDdeItem& item);
    bool AnswerMyInfo(CZrDdeItem& item);
    bool AnswerPresence(CZrDdeItem& item, uint32_t id);
    bool AnswerGroup(CZrDdeItem& item, uint32_t id);
    bool AnswerId(CZrDdeItem& item, uint32_t id);

    IDdeSessionHost& m_host;
    IDdeItemPoster* m_poster = nullptr;
    std::deque<std::unique_ptr<CZrDdeItem>> m_queue;
};
