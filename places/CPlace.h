// CPlace: the client's root place. It turns the library's place events into
// what the user sees (status line, titles, message boxes, chat lines) and
// into notices of the DDE session, and issues the client's entry requests.
// The application, the browser frame and the DDE session are reached through
// the seams it is given; it never owns them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CRateStamp.h"
#include "IPlaceApp.h"
#include "IPlaceDde.h"
#include "IPlaceFrame.h"
#include "ZrClientPlace.h"
#include "ZrPlaceSelector.h"

class CPersonStateList;
class CPayload;
class CZrItem;
class IPlaceWhispers;
class IPersonViews;

class CPlace : public CZrClientPlace {
public:
    // Person classes (kind words without bit 0x80).
    static constexpr uint32_t kAdminClass = 272;
    static constexpr uint32_t kHostClass = 273;
    static constexpr uint32_t kAdminHostClass = 274;
    static constexpr uint32_t kEventServiceClass = 321;
    static constexpr uint32_t kTranscriptServiceClass = 323;
    static constexpr uint32_t kAvatarServiceClass = 325;
    // Modes of text said in the place.
    static constexpr uint32_t kSayApplicationData = 0;
    static constexpr uint32_t kSayChat = 5;
    // The entry code of a room that is full: the user was let into the place
    // but not into its room.
    static constexpr uint32_t kRoomFullCode = 307;
    // The saved avatar x of the settings when no position was chosen.
    static constexpr int32_t kNoSavedPosition = 2000;
    // The DDE item type of a line the local user hears about itself.
    static constexpr uint32_t kOwnLineItem = 4;

    CPlace(CZrPerson* myself, CZrGroup* room, CZrGroup* corridor, IPlaceApp& app, IPlaceDde& dde,
           IPlaceFrame& frame, CPersonStateList& states);

    // The entry request for the page.
    int32_t Enter(const std::string& url, const std::string& text);
    // Shows an address in the browser frame, "http://" added when it has no
    // scheme.
    void ShowUrl(const std::string& text);

    // Copy of a replicated place to go to next.
    void SetSelector(const CZrPlaceSelector& selector) { m_selector = selector; }
    const CZrPlaceSelector& GetSelector() const { return m_selector; }
    const std::string& GetTitle() const { return m_title; }
    uint32_t GetEventService() const { return m_eventService; }
    uint32_t GetTranscriptService() const { return m_transcriptService; }
    bool IsEntryPending() const { return m_entryPending; }
    // The address whose "/login" page starts no voice session.
    void SetAdvertisementHost(const std::string& host) { m_advertisementHost = host; }
    // The windows that show the persons; until they are given, persons are
    // made as the library's plain ones.
    void SetPersonViews(IPersonViews* views) { m_personViews = views; }
    CZrPerson* CreatePerson() override;
    // The client's group object for the kind (tour, one-on-one, game, seat
    // row or plain group).
    CZrGroup* CreateGroup(uint32_t kind) override;
    CZrGroup* CreatePlaceData(uint32_t kind);

    // What the persons and groups of the place reach through it.
    IPlaceApp& App() const { return m_app; }
    IPlaceDde& Dde() const { return m_dde; }
    CPersonStateList& States() const { return m_states; }
    std::string Text(uint32_t id) const;
    void ShowMessage(uint32_t first, uint32_t second, const std::vector<std::string>& arguments);
    void ShowMessage(const std::string& first, uint32_t second, const std::vector<std::string>& arguments);
    void SetFrameTitle(const std::string& title) { m_frame.SetTitle(title); }
    // The item of the place's room (the stage), else of the place itself.
    const CZrItem* FindPlaceItem(uint16_t code);
    // The local user's room position becomes the saved one.
    void SaveMyselfPosition(const CZrPosition& position);
    // The local user sends its position again (it leaves a group).
    void SendMyselfPosition();
    // The instant-message tab of a one-on-one conversation.
    void ShowPairTab(CZrPerson& person, CZrGroup& group);
    // After a tour or game: the copy of the current place and its page again.
    void ReturnToPage();
    // The browser frame shows the page of the guide of the user's tour.
    void FollowGuidePage(const std::string& url) { m_frame.FollowGuidePage(url); }

    // Pictures load one at a time: each arriving picture asks for the next
    // missing one until none is left.
    void OfferPicture(CZrObject& object);
    void RequestPicture(CZrObject& object);
    void ContinuePictureLoading();
    void LoadNextPicture();
    bool ArePicturesLoaded() const { return m_picturesLoaded; }

    bool IsAuditorium() const;
    bool IsPrivateRoom() const;
    bool IsReplicated() const;
    bool IsPlainRoom() const;

    // Library callbacks.
    void OnReceive(CZrObject* sender, uint32_t mode, const std::string& text, const CTvlBlob& blob) override;
    void OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector& selector) override;
    void OnConnected() override;
    void OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text) override;
    void OnPlaceValue(uint32_t value) override;
    void OnDisconnected(int32_t code, const std::string& text) override;
    // The community connection failed before this place's channel was up:
    // the user hears of it as of a lost connection (retry, question or
    // message by its reason).
    void OnConnectFailed(int32_t reason);
    void OnBroadcast(const CBroadcastInfo& record) override;
    void OnSuperUserError(uint32_t value) override;
    void OnPlaceDescription(uint32_t first, uint32_t second, bool flag, uint32_t valueA, uint32_t valueB,
                            uint32_t valueC, const PlaceList& places) override;
    void OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons) override;
    void OnTalkRefused(uint32_t target, uint32_t code) override;
    void OnWarning(const std::string& text) override;
    void OnMuted(uint32_t member) override;
    void OnUnmuted() override;
    void OnDataLocked(uint32_t member) override;
    void OnDataUnlocked() override;
    void OnPersonPicture(uint32_t person, const CTvlBlob* picture) override;
    void OnObjectDescription(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth,
                             const CZrObjectDesc& description) override;
    void OnMemberAppeared(const CZrObjectRef& reference) override;
    void OnMemberLeft(const CZrObjectRef& reference) override;
    void OnServiceReply(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                        const CZrTextMessage& record) override;
    void OnRequestFailed(uint32_t value, uint32_t target, uint32_t code) override;
    void OnInvitationFailed(uint32_t first, uint32_t second, uint32_t value) override;
    void OnServerMessage(const std::string& text) override;

    // Whispers: dispatched by payload type once the windows they reach are
    // given; dropped before that.
    void SetWhisperWindows(IPlaceWhispers* windows) { m_whispers = windows; }
    void whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                   const std::string& displayName) override;
    // The numbered request with the next number of the run; returns that
    // number.
    uint32_t SendNumberedRequest(const std::string& text, uint32_t second, bool flagA, bool flagB);

    // The local user is inside this place.
    bool IsInRootPlace() const;
    // The class bits of the local user's kind (administrator, host, both).
    uint32_t LocalClass() const;

private:
    bool IsLocalHost() const;
    bool ImagesAutoLoad() const;
    void ShowMembers();
    void SendServiceRequest(uint32_t member, uint16_t code, const CTvlBlob& payload);
    void ShowDisconnect(int32_t code, const std::string& text);
    void ShowServerError(uint32_t stringId, int32_t shownCode);
    void ReconnectWith(int32_t code, uint32_t stringId);
    void LoginRefused(uint32_t stringId, const std::vector<std::string>& arguments);
    bool IsVoteDefinition(const CZrObject& sender, const CTvlBlob& blob);
    void OnEventServiceReply(uint32_t code, const std::string& text, const CTvlBlob& payload, uint32_t sender);
    void OnTranscriptReply(uint32_t code, const std::string& text, const CTvlBlob& payload, uint32_t sender);
    void OnAvatarServiceReply(uint32_t code, const CTvlBlob& payload);
    void SendTaggedGameData(uint32_t sender, const std::string& name, const std::string& text, uint8_t code,
                            const CTvlBlob& payload);
    std::string EnteredPageText(const std::string& text) const;
    int32_t PlaceLayout() const;
    void LookUpServices();
    bool TakeSavedPosition(CZrPosition& position);

    IPlaceApp& m_app;
    IPlaceDde& m_dde;
    IPlaceFrame& m_frame;
    CPersonStateList& m_states;
    bool m_entryPending = false;
    std::string m_pendingUrl;
    uint32_t m_eventService = 0;
    uint32_t m_transcriptService = 0;
    std::string m_title;
    CZrPlaceSelector m_selector;
    bool m_firstEntry = true;
    // Cleared by the first inaccessible-server error of the run.
    bool m_firstServerError = true;
    std::string m_advertisementHost;

    void OnInstantMessage(const std::string& text, const CPayload& payload, const CZrTextMessage& record,
                          const std::string& displayName, uint64_t now);
    void SendAwayReply(uint32_t sender, uint64_t now);
    void AnswerIdentityRequest(uint32_t sender, uint64_t now);
    void OnIdentityData(const CPayload& payload, uint32_t sender);
    void OnTransferPayload(const CPayload& payload, uint32_t sender, const std::string& displayName,
                           uint64_t now);
    void OnCommand(uint8_t code, const std::string& text, const CPayload& payload, const CZrTextMessage& record,
                   const std::string& displayName);
    void OnOwnHostCommand(uint8_t code, const std::string& text);
    void OnAuditoriumCommand(const std::string& text, bool hostAndOwn);
    void SendOwnGameData(uint8_t tag, const std::string& text);
    void SayChatLine(const std::string& text);

    IPlaceWhispers* m_whispers = nullptr;
    CRateStamp m_commandStamp;
    CRateStamp m_identityStamp;
    CRateStamp m_awayStamp;
    CRateStamp m_transferStamp;
    uint32_t m_requestCounter = 0;
    IPersonViews* m_personViews = nullptr;
    bool m_picturesLoaded = true;
};
