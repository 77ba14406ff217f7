// Test doubles of what the client's place subclasses do: a place, persons
// and groups that record every callback, and a server connection that
// keeps a session over a recording socket.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PlaceBytes.h"
#include "SessionDoubles.h"
#include "ZrClientPlace.h"
#include "ZrClientProtocol.h"
#include "ZrHelloCheck.h"
#include "ZrPerson.h"
#include "ZrSession.h"

using PlaceEvents = std::vector<std::string>;

std::string PositionText(const CZrPosition& position);
// A readable form of the tree below the object, e.g.
// "place(100)[g1024(102)[bob(8)@xy:1,2] g1025(101)[ann(7)]]".
std::string TreeDump(CZrObject& object);

class PersonDouble : public CZrPerson {
public:
    explicit PersonDouble(PlaceEvents& events) : m_events(events) {}

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnDenied(uint32_t code, uint32_t destination, uint32_t value) override;
    void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob) override;
    void OnSendRefused(uint32_t value, uint32_t code) override;
    void OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value) override;
    void OnItemPut(CZrItem& item) override;
    void OnItemRemoved(CZrItem& item) override;
    void OnGroupRefused(uint32_t code) override;
    void OnAlerted(CZrObject* sender) override;
    void OnHostGained() override;
    void OnHostLost() override;
    void OnNotice(uint32_t value) override;
    void OnTargeted(CZrObject* object) override;
    void OnTargetCleared() override;
    void OnPaired(CZrObject* partner, const CZrPosition& oldPosition, uint32_t value) override;
    void OnGroupCreated(uint32_t value) override;
    void OnRequestError(uint32_t code, uint32_t kind, uint32_t value) override;
    void OnDataReset(const CTvlBlob* oldData) override;
    void OnDataRefused(uint32_t code) override;
    void OnInfoChanged() override;
    void OnFlagsChanged(CZrMemberFlags oldFlags) override;
    void OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnSignal(uint32_t value) override;
    void OnKindChanged(uint32_t oldKind) override;

private:
    void Record(const std::string& text);
    PlaceEvents& m_events;
};

class GroupDouble : public CZrGroup {
public:
    explicit GroupDouble(PlaceEvents& events) : m_events(events) {}

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnDissolve() override;
    void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob) override;

private:
    void Record(const std::string& text);
    PlaceEvents& m_events;
};

class PlaceDouble : public CZrClientPlace {
public:
    PlaceDouble(PersonDouble* myself, PlaceEvents& events);

    CZrPerson* CreatePerson() override { return new PersonDouble(m_events); }
    CZrGroup* CreateGroup(uint32_t) override { return new GroupDouble(m_events); }
    void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob) override;
    void OnSendRefused(uint32_t value, uint32_t code) override;
    void OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector& selector) override;
    void OnConnected() override;
    void OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text) override;
    void OnPlaceValue(uint32_t value) override;
    void OnDisconnected(int32_t code, const std::string& text) override;
    void OnBroadcast(const CBroadcastInfo& record) override;
    void OnSuperUserError(uint32_t value) override;
    void OnPlaceList(const PlaceList& places, uint32_t a, uint32_t b, uint32_t c) override;
    void OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons) override;
    void whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                   const std::string& secondText) override;
    void OnTalkRefused(uint32_t target, uint32_t code) override;
    void OnWarning(const std::string& text) override;
    void OnMuted(uint32_t member) override;
    void OnUnmuted() override;
    void OnDataLocked(uint32_t member) override;
    void OnDataUnlocked() override;
    void OnPersonPicture(uint32_t person, const CTvlBlob* picture) override;
    void OnPairNotice(uint32_t value, uint32_t second) override;
    void OnObjectDescription(uint32_t a, uint32_t b, uint32_t c, uint32_t d, const CZrObjectDesc& desc) override;
    void OnPlaceReport(uint32_t a, uint32_t b, bool inPlace, uint32_t c, uint32_t value) override;
    void OnMemberAppeared(const CZrObjectRef& reference) override;
    void OnMemberLeft(const CZrObjectRef& reference) override;
    void OnServiceReply(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                        const CZrTextMessage& record) override;
    void OnGameNotice(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                      const CZrObjectRef& member) override;
    void OnRequestFailed(uint32_t value, uint32_t target, uint32_t code) override;
    void OnInvitationFailed(uint32_t a, uint32_t b, uint32_t value) override;
    void OnServerMessage(const std::string& text) override;
    void OnInvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second) override;
    void OnUninvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second) override;
    void OnNameKeyList(uint32_t value, uint32_t id, uint32_t field, const KeyList& keys) override;
    void OnPlaceFlag(uint32_t value, uint32_t id, uint32_t second, bool flag) override;

private:
    void Record(const std::string& text);
    PlaceEvents& m_events;
};

// The server connection: owns the session over a recording socket, queues
// places and keeps the references.
class ConnectionDouble : public IZrSessionOwner, public IZrPlaceConnection, public IZrHelloCheck {
public:
    ConnectionDouble() = default;
    ~ConnectionDouble() override;

    void Open(IZrSessionHandler& handler, uint32_t peerRole);
    // Gives every queued place its turn, as the connection does when idle.
    void Flush();

    // IZrSessionOwner
    void OnSessionReady(CZrSession&) override { up = true; }
    void OnSessionEnded(int32_t reason) override;
    int32_t ReasonForBroken(int32_t code) override { return 200 + code; }
    void StartReconnect() override {}
    // IZrPlaceConnection
    bool IsUp() const override { return up; }
    CZrSession* Session() const override { return session.get(); }
    void Queue(CZrClientPlace& place) override;
    void Unqueue(CZrClientPlace& place) override;
    const CZrObjectRef* FindReference(uint32_t ownerId, uint32_t kind) const override;
    const CZrObjectRef* FindReferenceByOwner(uint32_t ownerId) const override;
    const CZrObjectRef* FindReferenceByKind(uint32_t kind) const override;
    const CZrObjectRef* AddReference(CZrMessageReader& reader, uint32_t localId) override;
    std::unique_ptr<CZrObjectRef> RemoveReference(CZrMessageReader& reader) override;
    // IZrHelloCheck: a new session's answer holds a u16 count and that many
    // references; a resumed one the count of messages received.
    int32_t CheckHello(CZrMessageReader& reader, uint32_t& received) override;

    CFakeSessionSocket socket;
    std::unique_ptr<CZrSession> session;
    std::vector<CZrClientPlace*> queue;
    std::vector<CZrObjectRef> references;
    bool up = false;
    bool refuseHello = false;
    std::vector<int32_t> ended;
};

// A client place on a session through the real protocol handler: hello
// accepted, optionally logged in, welcomed and entered.
class PlaceHarness {
public:
    static constexpr uint32_t kPeerRole = 0x0A000001;
    static constexpr uint32_t kMyselfId = 7;

    PlaceHarness();
    ~PlaceHarness();

    // Login as "ann", then the welcome with key 0.
    void Welcome(const PlaceBytes::WelcomeFields& fields = PlaceBytes::WelcomeFields());
    // Enter request and its answer (operation 3 with key 1) carrying the
    // given group 1024.
    void Enter(const TreeBytes& room, const CZrPosition* position = nullptr, uint32_t flag = 0);
    // Welcome and entry into a place with bob (8) and cat (9) in group 1024.
    void Populate();
    void Feed(const Bytes& message);
    // The error pair of the last message sent when it is a report, else none.
    ZrProtocolError LastError() const;
    const Bytes& LastSent() const { return connection.socket.sent.back(); }
    size_t SentCount() const { return connection.socket.sent.size(); }
    // The events recorded since the last call.
    PlaceEvents TakeEvents();
    CZrObject* Find(uint32_t id) { return place->FindTargetById(id); }
    uint16_t Key() const;

    PlaceEvents events;
    CZrClientProtocol protocol{CZrProtocol::kDefaultRegistrationLimit};
    ConnectionDouble connection;
    PersonDouble* myself;
    std::unique_ptr<PlaceDouble> place;
};
