// CZrClientPlace: the client side of the place: the local user, login and
// entry, the handlers of incoming place operations, the requests that the
// user interface issues and the callbacks the client overrides.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TvlBlob.h"
#include "ZrMemberFlags.h"
#include "ZrPlace.h"
#include "ZrPlaceConnection.h"
#include "ZrPlaceSelector.h"
#include "ZrProtocolError.h"
#include "ZrString.h"

class CBroadcastInfo;
class CZrItem;
class CZrMessage;
class CZrMessageReader;
class CZrObjectDesc;
class CZrObjectRef;
class CZrPersonDesc;
class CZrPlaceBinding;
class CZrPlaceDesc;
class CZrTextMessage;

// Return codes of the requests: 0 sent (or nothing needed sending).
namespace ZrRequest {
constexpr int32_t kSent = 0;
constexpr int32_t kBadArgument = 1;
constexpr int32_t kNotConnected = 2;
constexpr int32_t kOutside = 4;
constexpr int32_t kNoDataFlag = 5;
constexpr int32_t kHasData = 6;
constexpr int32_t kNotReady = 7;
constexpr int32_t kNoRecipient = 602;
} // namespace ZrRequest

class CZrClientPlace : public CZrPlace {
public:
    using PlaceList = std::vector<std::unique_ptr<CZrPlaceDesc>>;
    using PersonList = std::vector<std::unique_ptr<CZrPersonDesc>>;
    using KeyList = std::vector<CZrString>;

    // Codes of the refusals that requests raise on objects.
    static constexpr uint32_t kDeniedInside = 305;
    static constexpr uint32_t kDeniedRoomFull = 307;
    static constexpr uint32_t kDeniedFull = 302;
    static constexpr uint32_t kRefusedByFlags = 8;
    static constexpr uint32_t kPartnerIsHost = 404;
    // Kind of the moderation service's reference that text requests go to.
    static constexpr uint32_t kTextServiceKind = 289;

    // Myself must exist without identifier, place link or parent; it joins
    // group 1025 with kind 0x180. The place never deletes it.
    CZrClientPlace(CZrPerson* myself, CZrGroup* room, CZrGroup* corridor, CTvlObject* owner);
    ~CZrClientPlace() override;

    // CZrPlace
    CZrPerson* GetMyself() override { return m_myself; }
    bool IsConnected() override;
    bool IsReady() override;
    bool UsesFullInfo() const override { return true; }
    bool RegisterMember(uint32_t id, CZrMemberHandle& handle) override;

    // The place's turn in the connection's send queue (the connection has
    // taken it off the queue): sends the pending login or enter record.
    void OnConnectionUp(IZrPlaceConnection& connection);

    // Login and entry.
    int32_t SendBlobRequest(IZrPlaceConnection& connection, const CZrString& nameKey, std::string_view text,
                            uint32_t kind, uint32_t value, uint32_t secondValue);
    int32_t Login(IZrPlaceConnection& connection, const CZrString& nameKey, const CTvlBlob& credentials,
                  uint32_t kind, uint32_t value, uint32_t secondValue);
    int32_t SetPendingMember(const std::string& name, const std::string& text, const CZrPosition* position,
                             const CZrPlaceSelector& selector);
    int32_t SendGroupRequest(const std::string& name, const std::string& text, const CZrPosition* position,
                             const CZrPlaceSelector& selector);
    // Sends the leave message when the channel is set up, drops the place
    // link and resets the tree.
    void Disconnect();
    // The welcome (message type 12); the reader stands after the place key.
    ZrProtocolError ReadWelcome(CZrMessageReader& reader);

    // Requests about objects of this place.
    int32_t Request(CZrObject& object, uint32_t destination, const CZrPosition& position, uint32_t value);
    int32_t RequestForTargetEx(CZrObject& object, uint32_t destination, uint32_t value, uint32_t second);
    int32_t RequestForTarget(CZrObject& object, uint32_t destination, uint32_t value);
    int32_t RequestMove(CZrObject& object, uint32_t value, std::string_view text, const CTvlBlob& blob);
    int32_t RequestJoin(CZrObject& object, uint32_t mode);
    int32_t PutItem(CZrObject& object, const CZrItem& item);
    int32_t RemoveItem(CZrObject& object, uint16_t code);
    int32_t RequestPersonOp(const CZrGroupInfo& record, uint32_t kind, CZrObject& other, uint32_t value);
    int32_t RequestGroupOp(const CZrGroupInfo& record, uint32_t kind, CZrObject& other,
                           const CZrPosition& position, uint32_t value);
    int32_t RequestTarget(CZrObject* target);
    int32_t RequestClearPending();
    int32_t RequestGroup(CZrObject& object);
    int32_t SetMyMemberData(CZrObject& object, std::unique_ptr<CTvlBlob> data);
    int32_t SetMyInfo(const std::string* fullName, const std::string* location, const std::string* email);
    int32_t SendPosition(CZrObject& object, const CZrPosition& position);
    int32_t RequestGroupLeave(CZrObject& object);
    int32_t SendInviteRequest(uint32_t value, uint32_t id, const CZrString& key);
    int32_t SendUninviteRequest(uint32_t value, uint32_t id, const CZrString& key);

    // Requests carried by other message types.
    int32_t SendUserMessage(uint32_t target, std::string_view text, const CTvlBlob& blob);
    int32_t SendRequestB(const CBroadcastInfo& record, const bool* flag);
    int32_t SendLookupRequest(uint32_t first, uint32_t second, std::string_view text, bool flagA, bool flagB);
    int32_t SendSimpleRequest(uint32_t value);
    int32_t SendRequestEx(uint32_t value, uint32_t target, bool withPlace, uint32_t first, uint32_t second);
    int32_t SendRequest(std::string_view first, std::string_view second);
    int32_t SendRequestA(uint32_t value);
    int32_t SendPlacesQuery(uint32_t first, uint32_t second, bool flag);
    int32_t SendMemberRequest(uint32_t value, uint32_t member, uint16_t mode, std::string_view text,
                              const CTvlBlob& blob);
    // Text records for the moderation service: mode 0, 1 or 2 of the first
    // form, and the second form.
    int32_t SendEjectRequest(uint32_t value, const CZrString& key, uint32_t number, std::string_view text);
    int32_t SendGagRequest(uint32_t value, const CZrString& key, uint32_t number, std::string_view text);
    int32_t SendBanRequest(uint32_t value, const CZrString& key, uint32_t number, std::string_view text);
    int32_t SendWarningRequest(uint32_t value, const CZrString& key, std::string_view first,
                              std::string_view second);

    // Look-ups in the server connection's references.
    const CZrObjectRef* FindMember(uint32_t kind) const;
    const CZrObjectRef* FindMemberOfSession(uint32_t ownerId) const;
    const CZrObjectRef* FindMemberOfSessionEx(uint32_t ownerId, uint32_t kind) const;
    int32_t GetPendingCount() const { return m_entryCount; }
    CZrPlaceBinding* GetBinding() const { return m_binding; }

    // Rebuilds the tree empty: see the source. `removed`, when given, takes
    // the objects taken out of the standing groups instead of deleting them.
    void ResetTree(CZrObject* object, const std::string& name, std::vector<std::unique_ptr<CZrObject>>* removed);

    // Handlers of incoming place operations, called by the place link's
    // dispatcher. They answer false with the error pair set.
    bool CanRequestFor(const CZrObject& object);
    CZrObject* FindTargetById(uint32_t id);
    void OnChannelClosed(CZrPerson* person, int32_t code, const std::string& text);
    bool HandleEnterRequest(); // op 0
    bool HandleGroupEntry(CZrObject& target, const std::string& name, const CZrPosition* position,
                          const CZrPlaceSelector& selector, TvlNdr& reader); // op 1
    bool HandlePlaceValue(uint32_t value); // op 2
    bool HandleEntryConfirmed(TvlNdr& reader); // op 3
    bool HandleChildAdded(CZrObject& target, TvlNdr& reader); // op 4
    bool HandleChildRemoved(CZrObject& target, const std::string& text); // op 5
    bool HandleMove(CZrObject& target, uint32_t destination, const CZrPosition& position, uint32_t value,
                    TvlNdr& reader); // op 6
    bool HandleRequestForTargetEx(); // op 7
    bool HandleRequestForTarget(); // op 8
    bool HandleDenied(CZrObject& target, uint32_t code, uint32_t object, uint32_t value); // op 9
    bool HandlePaired(CZrPerson& target, const CZrGroupInfo& record, uint32_t kind, uint32_t id,
                      CZrObject* partner, uint32_t value); // op 10, with partner
    bool HandleGroupCreated(CZrPerson& target, const CZrGroupInfo& record, uint32_t kind, uint32_t id,
                            const CZrPosition& position, uint32_t value); // op 10, with position
    bool HandleRequestError(CZrPerson& target, uint32_t code, uint32_t kind, uint32_t value); // op 11
    bool HandleHostGained(CZrPerson& target, CZrGroup* group); // op 12
    bool HandleHostLost(CZrPerson& target, CZrObject* group); // op 13
    bool HandleNotice(CZrPerson& target, uint32_t value); // op 14
    bool HandleTargeted(CZrPerson& target, uint32_t object); // op 15
    bool HandleTargetCleared(CZrPerson& target); // op 16
    bool HandleReceive(CZrPerson& target, uint32_t object, uint32_t value, const std::string& text,
                       const CTvlBlob& blob); // op 17
    bool HandleAlerted(CZrPerson& target, uint32_t object); // op 18
    bool HandleItemPut(CZrObject& target, TvlNdr& reader); // op 19
    bool HandleItemRemoved(CZrObject& target, TvlNdr& reader); // op 20
    bool HandleMemberData(CZrObject& target, uint32_t value, TvlNdr& reader); // op 21
    bool HandleDataFlag(CZrPerson& target, bool flag); // op 22
    bool HandleInfoChanged(CZrPerson& target, const std::string& fullName, const std::string& location,
                           const std::string& email); // op 23
    bool HandleFlagsChanged(CZrPerson& target, CZrMemberFlags flags); // op 24
    bool HandlePlaced(CZrPerson& target, CZrObject* group, const CZrPosition& position); // op 25
    bool HandleReturned(CZrPerson& target); // op 26
    bool HandleSignal(CZrPerson& target, TvlNdr& reader); // op 27
    bool HandleInvited(CZrPerson& target, uint32_t value, uint32_t id, const CZrString& key, TvlNdr& reader); // op 28
    bool HandleUninvited(CZrPerson& target, uint32_t value, uint32_t id, const CZrString& key, TvlNdr& reader); // op 29
    bool HandleNameKeyList(CZrPerson& target, uint32_t value, uint32_t id, TvlNdr& reader); // op 30
    bool HandlePlaceFlag(CZrPerson& target, uint32_t value, uint32_t id, TvlNdr& reader); // op 31

    // Operations of other message types, called by the protocol handler.
    void SetMuted(uint32_t member) { OnMuted(member); }
    void ClearMuted() { OnUnmuted(); }
    void LockData(uint32_t member) { OnDataLocked(member); }
    void UnlockData() { OnDataUnlocked(); }

    // Callbacks; the library's do nothing.
    virtual void OnConnected();
    virtual void OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text);
    virtual void OnPlaceValue(uint32_t value);
    virtual void OnDisconnected(int32_t code, const std::string& text);
    virtual void OnBroadcast(const CBroadcastInfo& record);
    virtual void OnSuperUserError(uint32_t value); // message type 8
    // Passes the values and the places on to OnPlaceList.
    virtual void OnPlaceDescription(uint32_t first, uint32_t second, bool flag, uint32_t valueA, uint32_t valueB,
                                    uint32_t valueC, const PlaceList& places);
    virtual void OnPlaceList(const PlaceList& places, uint32_t valueA, uint32_t valueB, uint32_t valueC);
    virtual void OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons);
    virtual void whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                           const std::string& secondText);
    virtual void OnTalkRefused(uint32_t target, uint32_t code);
    virtual void OnWarning(const std::string& text); // message type 16
    virtual void OnMuted(uint32_t member);
    virtual void OnUnmuted();
    virtual void OnDataLocked(uint32_t member);
    virtual void OnDataUnlocked();
    virtual void OnPersonPicture(uint32_t person, const CTvlBlob* picture); // message type 19
    virtual void OnPairNotice(uint32_t value, uint32_t second); // message type 20
    // The answer to a members request (message type 21): the object with
    // its members, in the nested form.
    virtual void OnObjectDescription(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth,
                                     const CZrObjectDesc& description);
    virtual void OnPlaceReport(uint32_t first, uint32_t second, bool inThisPlace, uint32_t third,
                               uint32_t value); // message type 22
    virtual void OnMemberAppeared(const CZrObjectRef& reference); // message type 26
    virtual void OnMemberLeft(const CZrObjectRef& reference); // message type 27
    virtual void OnServiceReply(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                                const CZrTextMessage& record); // message type 28
    virtual void OnGameNotice(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                              const CZrObjectRef& member); // message type 29
    virtual void OnRequestFailed(uint32_t value, uint32_t target, uint32_t code);
    virtual void OnInvitationFailed(uint32_t first, uint32_t second, uint32_t value); // message type 31
    virtual void OnServerMessage(const std::string& text); // message type 35
    virtual void OnInvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second); // op 28
    virtual void OnUninvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second); // op 29
    virtual void OnNameKeyList(uint32_t value, uint32_t id, uint32_t field, const KeyList& keys); // op 30
    virtual void OnPlaceFlag(uint32_t value, uint32_t id, uint32_t second, bool flag); // op 31

    // Called by the place link when the person drops it.
    void OnBindingReleased();

private:
    struct Pending {
        enum Kind { kLogin, kEnter } kind;
        std::string name;
        uint8_t tag = 0;
        uint32_t personKind = 0;
        std::string text;
        bool hasPosition = false;
        CZrPosition position;
        CZrPlaceSelector selector;
    };

    bool SendOperation(CZrMessage& message);
    bool SendPlain(CZrMessage& message);
    bool HasReadyChannel();
    bool IsInTree(const CZrObject& object);
    int32_t CheckDestination(CZrObject& object, uint32_t destination, uint32_t value, bool& refused);
    int32_t SendTextRecord(uint32_t value, const TvlNdr& record, uint16_t mode);
    int32_t SendTextRequestMode(uint8_t mode, uint32_t value, const CZrString& key, uint32_t number,
                                std::string_view text);
    void SendPending(IZrPlaceConnection& connection, Pending& pending);
    void SendLogin(IZrPlaceConnection& connection, const Pending& pending);
    void SendEnterRecord(const Pending& pending);
    void QueuePending(std::unique_ptr<Pending> pending);
    void DropPending();
    bool ReadSnapshot(TvlNdr& reader, bool secondForm, const CZrPosition* position, const std::string& name,
                      uint32_t& flag, std::string& last);
    void ApplyPlacement(bool hadPosition, uint32_t flag, const CZrPosition& position);
    void ClearStandingGroups(std::vector<std::unique_ptr<CZrObject>>* removed);
    void PruneCorridor();
    void PruneRegistrations();
    CZrGroup* InsertRequestedGroup(CZrGroup& parent, CZrPerson& target, const CZrGroupInfo& record, uint32_t kind,
                                   uint32_t id);

    CZrPerson* m_myself;
    std::unique_ptr<Pending> m_pending;
    int16_t m_entryCount;
    CTvlBlob m_credentials;
    uint32_t m_loginValue;
    uint32_t m_secondLoginValue;
    IZrPlaceConnection* m_connection;
    CZrPlaceBinding* m_binding;
};
