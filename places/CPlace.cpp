#include "CPlace.h"

#include <cctype>
#include <cstdlib>

#include "CClientPlace.h"
#include "CClientRoom.h"
#include "CMyselfClient.h"
#include "CPayload.h"
#include "CPersonClient.h"
#include "CPersonStateList.h"
#include "CPlaceMessage.h"
#include "IPlaceWhispers.h"
#include "TvlNdr.h"
#include "ZrItem.h"
#include "ZrMessageText.h"
#include "ZrObjectRef.h"
#include "ZrPersonDesc.h"
#include "ZrPerson.h"
#include "ZrTextMessage.h"

namespace {

// String numbers of the texts the place shows.
constexpr uint32_t kStrNoFirst = 199;
constexpr uint32_t kStrInaccessible = 157;
constexpr uint32_t kStrSuperUser = 147;
constexpr uint32_t kStrNotAuthorized = 156;
constexpr uint32_t kStrRefused = 161;
constexpr uint32_t kStrUnknownError = 181;
constexpr uint32_t kStrConnected = 470;
constexpr uint32_t kStrDisconnected = 471;
constexpr uint32_t kStrReconnecting = 472;
constexpr uint32_t kStrProduct = 517;
constexpr uint32_t kStrHttp = 546;
constexpr uint32_t kStrPrivateRoom = 332;
constexpr uint32_t kStrEntered = 354;
constexpr uint32_t kStrAuditoriumAdmin = 526;
constexpr uint32_t kStrIdNotFound = 525;
constexpr uint32_t kStrInvitation = 327;
constexpr uint32_t kStrNotHost = 328;
constexpr uint32_t kStrNoLongerAvailable = 575;

constexpr const char* kTourTitle = "Lumora Chat Tour";
constexpr uint32_t kMaxServerMessage = 1023;
constexpr uint32_t kNoRecipient = 602;
constexpr uint16_t kAnnounceHost = 6;
constexpr uint16_t kAnnounceArrival = 2;
constexpr uint8_t kCommandPayload = 4;
constexpr uint8_t kVoteDefinitionCode = 6;

uint32_t ClassOf(uint32_t kind)
{
    return kind & 0xFF7F;
}

bool ContainsNoCase(const std::string& text, const std::string& word)
{
    const auto lower = [](std::string value) {
        for (char& c : value)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return value;
    };
    return lower(text).find(lower(word)) != std::string::npos;
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ContainsNoCase(a, b);
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A decimal detail value of a disconnect, or -1 when the text holds none.
int32_t DetailValue(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

} // namespace

CPlace::CPlace(CZrPerson* myself, CZrGroup* room, CZrGroup* corridor, IPlaceApp& app, IPlaceDde& dde,
               IPlaceFrame& frame, CPersonStateList& states)
    : CZrClientPlace(myself, room, corridor, nullptr), m_app(app), m_dde(dde), m_frame(frame),
      m_states(states), m_selector(CZrPlaceSelector::Number(1))
{
}

bool CPlace::IsAuditorium() const
{
    return (GetKind() & 0x800) && (GetKind() & 0xFF1F) == 0x801;
}

bool CPlace::IsPrivateRoom() const
{
    return (GetKind() & 0x820) == 0x820;
}

bool CPlace::IsReplicated() const
{
    return (GetKind() & 0x840) == 0x840;
}

bool CPlace::IsPlainRoom() const
{
    return (GetKind() & 0x800) && !(GetKind() & 0x20);
}

std::string CPlace::Text(uint32_t id) const
{
    return m_app.LoadText(id);
}

void CPlace::ShowMessage(uint32_t first, uint32_t second, const std::vector<std::string>& arguments)
{
    ShowMessage(Text(first), second, arguments);
}

void CPlace::ShowMessage(const std::string& first, uint32_t second, const std::vector<std::string>& arguments)
{
    m_app.PostMessageBox(CPlaceMessage::Fill(CZrMessageText::Join(first, Text(second)), arguments));
}

uint32_t CPlace::LocalClass() const
{
    return ClassOf(const_cast<CPlace*>(this)->GetMyself()->GetKind());
}

bool CPlace::IsLocalHost() const
{
    const uint32_t localClass = LocalClass();
    return localClass == kHostClass || localClass == kAdminHostClass;
}

bool CPlace::IsInRootPlace() const
{
    CPlace* self = const_cast<CPlace*>(this);
    return self->GetMyself()->GetId() != 0 && self->GetMyself()->IsInside(self);
}

void CPlace::SendServiceRequest(uint32_t member, uint16_t code, const CTvlBlob& payload)
{
    SendMemberRequest(0, member, code, std::string_view(), payload);
}

void CPlace::ShowUrl(const std::string& text)
{
    m_frame.ShowPage(text.find("://") == std::string::npos ? Text(kStrHttp) + text : text);
}

// ---- Connection ----------------------------------------------------------

void CPlace::OnConnected()
{
    m_app.SaveAndReloadSettings();
    m_app.ClearReconnectState();
    m_app.SetEntered(false);
    m_app.SetMainTitle(Text(kStrProduct) + " - [" + m_app.GetCommunityName() + "]");
    m_app.SetStatusText(Text(kStrConnected));
    m_states.Reset();
    m_app.ResetChatTabs();
    const std::string url = m_frame.GetPageUrl();
    if (!url.empty()) {
        m_app.UseSavedPosition();
        Enter(url, std::string());
    }
    m_dde.PostConnectCommunity();
    m_app.SetPendingCount(GetPendingCount());
    m_app.StartIdleTimer();
    m_app.SetOwnMark(GetMyself()->GetFlags().Has(CZrMemberFlags::kNoSend));
    m_app.RunPendingRefresh();
    for (const std::string& title : {m_app.GetAddressPlaceName(), m_app.GetCommunityTitle(), m_app.GetHomeTitle()}) {
        if (!title.empty()) {
            m_frame.SetTitle(title);
            break;
        }
    }
    if (IsLocalHost()) {
        if (const CZrObjectRef* service = FindMember(kEventServiceClass))
            SendServiceRequest(service->ownerId, kAnnounceHost, CTvlBlob());
    }
}

void CPlace::OnDisconnected(int32_t code, const std::string& text)
{
    if (!m_app.IsConnected())
        return;
    m_app.SetStatusText(Text(kStrDisconnected));
    m_app.ResetAfterDisconnect();
    m_app.SetEntered(false);
    if (m_app.GetCommunityName() == m_frame.GetPageUrl())
        m_app.RemovePreviousPlaceMenu();
    m_app.ResetEventState();
    m_app.StopIdleTimer();
    if (code == 0)
        return;
    m_app.StopVoiceSession();
    m_app.ClearVoiceSpeaker();
    m_app.ClearPassword();
    ShowDisconnect(code, text);
}

void CPlace::OnConnectFailed(int32_t reason)
{
    if (m_app.IsConnected() || reason == 0)
        return;
    ShowDisconnect(reason, std::string());
}

void CPlace::ShowDisconnect(int32_t code, const std::string& text)
{
    const bool webLogin = !m_app.GetLoginBaseUrl().empty();
    switch (code) {
    case 203: return ShowServerError(129, code);
    case 204: return ShowServerError(134, 204);
    case 225:
    case 228:
        if (code == 225 || webLogin)
            ShowServerError(134, 228);
        return;
    case 205: return ShowServerError(130, code);
    case 206:
    case 210:
    case 218:
    case 222: return ReconnectWith(code, 135);
    case 207: return ReconnectWith(code, 165);
    case 208: return ReconnectWith(code, 137);
    case 209: return ReconnectWith(code, 159);
    case 211: return ReconnectWith(code, 138);
    case 212: return ShowServerError(131, code);
    case 214:
        if (webLogin)
            ShowMessage(kStrNoFirst, 136, {});
        else
            m_app.ClearIdentityNick();
        m_app.StartLogin();
        return;
    case 217: return ReconnectWith(code, 139);
    case 220: {
        const int32_t minutes = DetailValue(text);
        if (minutes > 0)
            return ShowServerError(142, minutes);
        return ShowServerError(160, code);
    }
    case 223: return ShowServerError(144, code);
    case 224:
    case 235: return LoginRefused(569, {});
    case 226: return LoginRefused(311, {});
    case 227: return ReconnectWith(code, 133);
    case 229: return ShowServerError(61242, code);
    case 230:
    case 231: return LoginRefused(562, {m_app.GetNickname()});
    case 232: return ShowMessage(kStrNoFirst, 568, {});
    case 233: return LoginRefused(566, {});
    case 234:
        if (m_app.GetServerListState() == 3)
            return;
        m_app.StorePendingConnectionChoice();
        return ShowServerError(132, code);
    case 237:
    case 238: return ReconnectWith(code, 172);
    case 239: return ShowServerError(145, code);
    case 240:
    case 241:
    case 242:
    case 245: return ReconnectWith(code, 175);
    case 243: return ReconnectWith(code, 174);
    case 244: return ReconnectWith(code, 141);
    default: return ShowServerError(kStrUnknownError, code);
    }
}

// "Lumora Chat Server <community> is inaccessible" with the second text and
// the code it shows; the DDE session hears the second string number.
void CPlace::ShowServerError(uint32_t stringId, int32_t shownCode)
{
    ShowMessage(kStrInaccessible, stringId, {m_app.GetCommunityName(), std::to_string(shownCode)});
    m_dde.PostDisconnectCommunity(stringId);
}

void CPlace::ReconnectWith(int32_t code, uint32_t stringId)
{
    const bool firstKind = code == 206 || (code >= 208 && code <= 211) || code == 218 || code == 222;
    if (firstKind && m_firstServerError) {
        m_firstServerError = false;
        m_app.ConfirmAndLeave();
        return;
    }
    if (m_app.AcceptReconnect()) {
        m_app.SetStatusText(Text(kStrReconnecting) + m_app.GetCommunityName());
        m_dde.PostDisconnectCommunity(stringId);
        return;
    }
    ShowServerError(stringId, code);
}

// Login refusals: with a web login page the user is told; otherwise the
// stored nickname is cleared so that the next login asks for a new one.
void CPlace::LoginRefused(uint32_t stringId, const std::vector<std::string>& arguments)
{
    if (m_app.GetLoginBaseUrl().empty())
        m_app.ClearIdentityNick();
    else
        ShowMessage(kStrNoFirst, stringId, arguments);
}

// ---- Entry ---------------------------------------------------------------

// The saved position of the local avatar; an x of 2000 (none chosen) is
// spread by the current second and stored as the new saved position.
bool CPlace::TakeSavedPosition(CZrPosition& position)
{
    position = m_app.GetAvatarPosition();
    if (!position.IsXY())
        return false;
    if (position.GetFirst() == kNoSavedPosition) {
        const int32_t spread = 100 * m_app.CurrentSecond();
        const uint32_t x = position.GetFirst() + spread;
        const uint32_t y = position.GetSecond() + spread;
        if (x > 0xFFFE || y > 0xFFFE)
            return false;
        position = CZrPosition::XY(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        m_app.WriteSetting("MyselfXPos", static_cast<int32_t>(x));
        m_app.WriteSetting("MyselfYPos", static_cast<int32_t>(y));
    }
    return true;
}

int32_t CPlace::Enter(const std::string& url, const std::string& text)
{
    if (IsAuditorium())
        m_app.ResetEventState();
    m_app.SetPageText(std::string());
    const bool autoLanding = m_app.ReadSetting("AutoLanding", 1) != 0;
    CZrPosition position;
    if (m_app.UsesSavedPosition()) {
        const bool hasPosition = TakeSavedPosition(position);
        if (autoLanding)
            return SetPendingMember(url, text, hasPosition ? &position : nullptr, m_selector);
        return SetPendingMember(url, text, nullptr, CZrPlaceSelector::Number(1));
    }
    position = m_app.GetAvatarPosition();
    const bool hasPosition = autoLanding && position.IsXY() && position.GetFirst() != CZrPosition::kNoValue;
    if (GetMyself()->GetParent() && GetMyself()->GetId() != 0)
        return SendGroupRequest(url, text, hasPosition ? &position : nullptr, m_selector);
    return SetPendingMember(url, text, hasPosition ? &position : nullptr, m_selector);
}

void CPlace::OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector&)
{
    if (!IsInRootPlace()) {
        m_entryPending = true;
        m_pendingUrl = name;
    }
    if (target && GetMyself()->IsInside(target) && target->GetParent() && target->GetParent()->GetKind() == 1025)
        m_selector = CZrPlaceSelector::Number(1);
    m_app.StopVoiceSession();
    m_app.FocusMainWindow();
}

std::string CPlace::EnteredPageText(const std::string& text) const
{
    if (IsPrivateRoom())
        return Text(kStrPrivateRoom) + m_title;
    std::string name = text;
    if (name.empty())
        name = m_pendingUrl.empty() ? m_frame.GetPageUrl() : m_pendingUrl;
    if (ContainsNoCase(name, "sign") || ContainsNoCase(name, "welcome"))
        return std::string();
    std::string line = Text(kStrEntered) + "\"" + name;
    if (IsReplicated() && m_selector.IsNumeric() && m_selector.GetNumber() > 1)
        line += " " + std::to_string(m_selector.GetNumber());
    return line + "\"   ";
}

int32_t CPlace::PlaceLayout() const
{
    if (IsAuditorium())
        return 1;
    if (m_app.GetActiveChatPageType() == 5)
        return 3;
    return IsPrivateRoom() ? 2 : 0;
}

void CPlace::LookUpServices()
{
    if (const CZrObjectRef* service = FindMember(kEventServiceClass)) {
        m_eventService = service->ownerId;
        TvlNdr body;
        body.PutLong(GetId());
        SendServiceRequest(service->ownerId, kAnnounceArrival, CTvlBlob(body.Used(), body.Data()));
    }
    if (const CZrObjectRef* service = FindMember(kTranscriptServiceClass))
        m_transcriptService = service->ownerId;
}

void CPlace::OnEntered(const CZrPosition*, uint32_t code, const std::string& text)
{
    m_app.OnPlaceEntered();
    if (m_entryPending) {
        if (IsPlainRoom())
            m_frame.SetTitle(m_pendingUrl);
        else if (m_title.empty())
            m_title = m_pendingUrl;
    }
    if (m_title.empty())
        m_title = text.empty() ? m_pendingUrl : text;
    m_app.SetPageText(EnteredPageText(text));
    m_app.SetPlaceLayout(PlaceLayout());
    m_frame.Layout();
    if (IsAuditorium()) {
        m_firstEntry = false;
        LookUpServices();
    }
    m_dde.PostNavigate();
    ShowMembers();
    if (code == kRoomFullCode && GetMyself()->GetParent() != GetRoom())
        m_app.PostRoomFullPrompt();
    m_entryPending = false;
    m_frame.Layout();
    m_app.FocusMainWindow();
    m_app.RunPendingRefresh();
    if (IsInRootPlace()) {
        m_app.StopVoiceSession();
        m_app.ClearVoiceSpeaker();
        const std::string url = m_frame.GetPageUrl();
        const bool advertLogin = !m_advertisementHost.empty() && ContainsNoCase(url, m_advertisementHost) &&
                                 ContainsNoCase(url, "/login");
        if (!advertLogin)
            m_app.StartVoiceSession();
    }
}

void CPlace::OnPlaceValue(uint32_t value)
{
    if (value == 308)
        return;
    if (value == 107)
        ShowMessage(kTourTitle, kStrNoLongerAvailable, {"Tour"});
    else
        ShowMessage(kTourTitle, kStrRefused, {"Tour"});
}

// ---- Text and payloads ---------------------------------------------------

void CPlace::OnReceive(CZrObject* sender, uint32_t mode, const std::string& text, const CTvlBlob& blob)
{
    if (!sender)
        return;
    if (mode == kSayChat) {
        if (IsVoteDefinition(*sender, blob))
            m_app.OpenVote(text);
        else
            m_app.ShowSay(*sender, text);
        m_dde.PostMessageItem(sender->GetId(), sender->GetName(), text, blob, 1);
    } else if (mode == kSayApplicationData) {
        m_dde.SendGameData(sender->GetId(), sender->GetName(), text, blob, 1, 0);
    }
}

// In an auditorium a host's line carrying a command payload of code 6 puts
// a vote to the audience; it is not shown as a line.
bool CPlace::IsVoteDefinition(const CZrObject& sender, const CTvlBlob& blob)
{
    const uint32_t senderClass = ClassOf(sender.GetKind());
    const bool host = senderClass == kHostClass || senderClass == kAdminHostClass;
    const CPayload payload(blob);
    return host && IsAuditorium() && payload.GetByte() == CPayload::kCommand && payload.GetCode() == kVoteDefinitionCode;
}

void CPlace::OnBroadcast(const CBroadcastInfo& record)
{
    m_app.ShowBroadcast(record);
}

void CPlace::OnSuperUserError(uint32_t value)
{
    ShowMessage(kStrSuperUser, value == 4 ? kStrNotAuthorized : kStrNoFirst, {});
}

void CPlace::OnPlaceDescription(uint32_t first, uint32_t count, bool allPlaces, uint32_t total, uint32_t people,
                                uint32_t observers, const PlaceList& places)
{
    m_dde.PostQueryPlaces(places);
    m_app.OnPlaceList(first, count, allPlaces, total, people, observers, places);
}

// An answer that no window asked for goes to the DDE session as game data of
// the local user: "<id> <name> <first member>", or "<id> <name> ID NOT FOUND".
void CPlace::OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons)
{
    if (m_app.OfferPersonDescription(id, text, persons))
        return;
    std::string line = std::to_string(id) + " " + text;
    if (!persons.empty() && persons.front())
        line += " " + std::to_string(persons.front()->id);
    else
        line += Text(kStrIdNotFound);
    CZrPerson& myself = *GetMyself();
    m_dde.SendGameData(myself.GetId(), myself.GetName(), line, CTvlBlob(kCommandPayload, 26, 0, nullptr), 0, 0);
}

void CPlace::OnTalkRefused(uint32_t target, uint32_t code)
{
    m_app.OnWhisperFailed(target, code);
}

void CPlace::OnWarning(const std::string& text)
{
    m_app.PostWarning(text);
}

void CPlace::OnMuted(uint32_t)
{
    m_app.SetOwnMark(true);
    m_app.SetSpeakerLevel(1);
}

void CPlace::OnUnmuted()
{
    m_app.SetOwnMark(false);
    m_app.SetSpeakerLevel(0);
}

void CPlace::OnDataLocked(uint32_t)
{
    ShowMessage(kStrNoFirst, 217, {});
}

void CPlace::OnDataUnlocked()
{
    ShowMessage(kStrNoFirst, 216, {});
}

void CPlace::OnPersonPicture(uint32_t person, const CTvlBlob* picture)
{
    IPersonDialog* dialog = m_states.GetData(person);
    if (dialog && picture && picture->Length() > 0)
        dialog->SetPicture(*picture);
}

void CPlace::OnObjectDescription(uint32_t first, uint32_t, uint32_t, uint32_t, const CZrObjectDesc& description)
{
    m_app.ForwardPair(first, description);
}

void CPlace::OnRequestFailed(uint32_t, uint32_t target, uint32_t code)
{
    if (code != kNoRecipient || target == 0)
        return;
    if (target == m_eventService)
        ShowMessage(kStrNoFirst, 316, {});
    else if (target == m_transcriptService)
        ShowMessage(kStrNoFirst, 319, {});
}

void CPlace::OnInvitationFailed(uint32_t, uint32_t, uint32_t value)
{
    if (value == 0)
        return;
    ShowMessage(kStrInvitation, value == 4 ? kStrNotHost : kStrRefused, {});
}

void CPlace::OnServerMessage(const std::string& text)
{
    m_app.PostMessageBox(text.substr(0, kMaxServerMessage));
}

// ---- Service members -----------------------------------------------------

void CPlace::OnMemberAppeared(const CZrObjectRef& reference)
{
    const uint32_t memberClass = ClassOf(reference.kind);
    if (memberClass == kEventServiceClass) {
        if (IsAuditorium() && m_eventService == 0)
            m_eventService = reference.ownerId;
        if (IsLocalHost())
            SendServiceRequest(reference.ownerId, kAnnounceHost, CTvlBlob());
    } else if (memberClass == kTranscriptServiceClass && IsAuditorium() && m_transcriptService == 0) {
        m_transcriptService = reference.ownerId;
    }
}

void CPlace::OnMemberLeft(const CZrObjectRef& reference)
{
    if (reference.ownerId == 0)
        return;
    if (reference.ownerId == m_eventService) {
        m_eventService = 0;
        m_app.CloseVoteDialog();
        m_app.SetEventText(std::string());
        m_app.ResetEventState();
        m_frame.Layout();
    } else if (reference.ownerId == m_transcriptService) {
        m_transcriptService = 0;
    }
}

void CPlace::SendTaggedGameData(uint32_t sender, const std::string& name, const std::string& text, uint8_t code,
                                const CTvlBlob& payload)
{
    m_dde.SendGameData(sender, name, text, CTvlBlob(kCommandPayload, code, payload.Length(), payload.Bytes()), 0, 0);
}

void CPlace::OnServiceReply(uint32_t, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                            const CZrTextMessage& record)
{
    const uint32_t senderClass = ClassOf(record.kind);
    if (senderClass == kEventServiceClass)
        OnEventServiceReply(mode, text, blob, record.senderId);
    else if (senderClass == kTranscriptServiceClass)
        OnTranscriptReply(mode, text, blob, record.senderId);
    else if (senderClass == kAvatarServiceClass)
        OnAvatarServiceReply(mode, blob);
    m_dde.ForwardGameData(record.senderId, senderClass, mode, text, blob);
}

void CPlace::OnEventServiceReply(uint32_t code, const std::string& text, const CTvlBlob& payload, uint32_t sender)
{
    if (code == 24) {
        m_app.SetEventText(text);
        return;
    }
    if (code == 25) {
        const size_t comma = text.find(',');
        if (comma == std::string::npos)
            return;
        const std::string from = text.substr(0, comma);
        const std::string place = text.substr(comma + 1);
        if (IsInRootPlace() && EqualsNoCase(place, m_frame.GetPageUrl()))
            return;
        m_app.OpenInvitation(place, from);
        return;
    }
    if (!IsAuditorium())
        return;
    switch (code) {
    case 1:
        SendTaggedGameData(sender, Text(kStrAuditoriumAdmin), text, 2, payload);
        break;
    case 20: {
        const std::string trimmed = Trim(text);
        if (!trimmed.empty() && trimmed[0] >= '1' && trimmed[0] <= '6') {
            const std::string name = m_app.EventKindName(trimmed[0] - '0');
            ShowMessage(kStrNoFirst, 294, {name.empty() ? std::string(1, trimmed[0]) : name});
        }
        break;
    }
    case 21:
        ShowMessage(kStrNoFirst, 295, {});
        break;
    case 22:
        m_app.OnEventAnnouncement(text);
        SendTaggedGameData(sender, Text(kStrAuditoriumAdmin), text, 25, payload);
        break;
    case 23:
        m_app.SetWelcomePicture(payload);
        break;
    default:
        break;
    }
}

void CPlace::OnTranscriptReply(uint32_t code, const std::string& text, const CTvlBlob& payload, uint32_t sender)
{
    switch (code) {
    case 20:
        m_app.ShowTranscript(text);
        break;
    case 21:
        SendTaggedGameData(sender, std::string(), text, 27, payload);
        break;
    case 53:
        ShowMessage(kStrNoFirst, 321, {});
        break;
    default:
        ShowMessage(kStrNoFirst, kStrRefused, {});
        break;
    }
}

void CPlace::OnAvatarServiceReply(uint32_t code, const CTvlBlob& payload)
{
    if (code != 0 || payload.Length() == 0)
        return;
    SetMyMemberData(*GetMyself(), std::make_unique<CTvlBlob>(payload));
}

// ---- Whispers -------------------------------------------------------------

namespace {

constexpr uint32_t kStrNoTranscript = 319;
constexpr uint32_t kStrNotInAuditorium = 330;
constexpr uint32_t kImItemType = 4;
constexpr uint16_t kAskEventService = 1;
constexpr uint16_t kAskTranscript = 5;
constexpr uint16_t kEventTextItem = 23;
constexpr uint8_t kStageRecordKind = 2;
constexpr uint32_t kGameDataTag = 4;

// Command codes of type-4 payloads, and the tags of the DDE game data that
// answers them.
enum Command : uint8_t {
    kCmdEventText = 1,
    kCmdAskEventService = 2,
    kCmdStageInvitation = 3,
    kCmdInviteToSpeak = 4,
    kCmdEndSpeaking = 5,
    kCmdQueueItems = 7,
    kCmdSayInAuditorium = 8,
    kCmdEventServiceId = 9,
    kCmdNumberedRequest = 10,
    kCmdGameData = 11,
    kCmdTranscript = 12,
    kCmdStageRequest = 13,
    kCmdPublishEventText = 14,
    kCmdRepeatLine = 20,
    kCmdGameData21 = 21,
    kCmdModeratorAnswer = 22,
    kCmdGameData23 = 23,
};
constexpr uint8_t kTagEventService = 24;
constexpr uint8_t kTagEventText = 25;
constexpr uint8_t kTagNumberedRequest = 28;

bool IsHostClass(uint32_t kind)
{
    const uint32_t senderClass = ClassOf(kind);
    return senderClass == CPlace::kHostClass || senderClass == CPlace::kAdminHostClass;
}

}  // namespace

uint32_t CPlace::SendNumberedRequest(const std::string& text, uint32_t second, bool flagA, bool flagB)
{
    ++m_requestCounter;
    SendLookupRequest(m_requestCounter, second, text, flagA, flagB);
    return m_requestCounter;
}

void CPlace::whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                       const std::string& displayName)
{
    if (!m_whispers)
        return;
    const CPayload payload(blob);
    const uint64_t now = m_whispers->TickMs();
    const uint8_t type = payload.GetByte();
    m_whispers->Trace("void CPlace::whispered(); From: " + record.name + "; Type: " + std::to_string(type) +
                      "; String: " + text + "; Data Length: " + std::to_string(payload.Length()));
    if (type == CPayload::kCommand && !m_commandStamp.Pass(now))
        return;
    switch (type) {
    case CPayload::kPlainText:
    case CPayload::kTextWithName:
        OnInstantMessage(text, payload, record, displayName, now);
        break;
    case CPayload::kIdentityRequest:
        AnswerIdentityRequest(record.senderId, now);
        break;
    case CPayload::kIdentityData:
        OnIdentityData(payload, record.senderId);
        break;
    case CPayload::kCommand:
        OnCommand(payload.GetCode(), text, payload, record, displayName);
        break;
    case CPayload::kObjectTransfer:
        OnTransferPayload(payload, record.senderId, displayName.empty() ? record.name : displayName, now);
        break;
    default:
        break;
    }
}

void CPlace::OnInstantMessage(const std::string& text, const CPayload& payload, const CZrTextMessage& record,
                              const std::string& displayName, uint64_t now)
{
    if (m_states.GetState(record.senderId) != 0)
        return;
    const bool hidden = m_app.ReadSetting("IgnoreAllIMs", 0) != 0 || (IsAuditorium() && IsInRootPlace());
    if (hidden) {
        SendAwayReply(record.senderId, now);
        return;
    }
    m_whispers->ReceiveIm(record, text, payload, displayName);
    m_dde.PostMessageItem(record.senderId, record.name, text, payload, kImItemType);
}

void CPlace::SendAwayReply(uint32_t sender, uint64_t now)
{
    const bool due = m_awayStamp.Pass(now);
    const std::string away = m_whispers->GetAwayMessage();
    if (due && !away.empty())
        SendUserMessage(sender, away, CTvlBlob());
}

void CPlace::AnswerIdentityRequest(uint32_t sender, uint64_t now)
{
    if (!m_identityStamp.Pass(now))
        return;
    const auto identity = CPayload::MakeIdentity(m_whispers->GetIdentityTexts());
    SendUserMessage(sender, std::string(), *identity);
}

void CPlace::OnIdentityData(const CPayload& payload, uint32_t sender)
{
    CIdentityTexts texts;
    if (m_states.GetData(sender) && payload.ReadIdentity(texts))
        m_whispers->GiveIdentity(sender, texts);
}

void CPlace::OnTransferPayload(const CPayload& payload, uint32_t sender, const std::string& displayName,
                               uint64_t now)
{
    if (m_states.GetState(sender) != 0)
        return;
    // The stamp moves on every time; an awaited answer passes regardless,
    // or the user would wait for it in vain.
    if (m_transferStamp.Pass(now) || m_whispers->AwaitsTransfer(sender, payload))
        m_whispers->HandOnTransfer(sender, displayName, payload);
}

// A command passes its test or is dropped; code 9 tells a failing sender why.
void CPlace::OnCommand(uint8_t code, const std::string& text, const CPayload& payload, const CZrTextMessage& record,
                       const std::string& displayName)
{
    const bool host = IsHostClass(record.kind);
    const uint32_t ownId = GetMyself()->GetId();
    const bool own = ownId != 0 && record.senderId == ownId;
    switch (code) {
    case kCmdEventText:
    case kCmdAskEventService:
    case kCmdNumberedRequest:
    case kCmdTranscript:
    case kCmdPublishEventText:
        if (host && own)
            OnOwnHostCommand(code, text);
        break;
    case kCmdEventServiceId:
        if (host && own)
            SendOwnGameData(kTagEventService, std::to_string(m_eventService));
        else
            ShowMessage(kStrNoFirst, kStrNotHost, {});
        break;
    case kCmdStageInvitation:
        if (host && !(text == GetName() && IsInRootPlace()))
            m_whispers->OpenStageInvitation(text, displayName.empty() ? record.name : displayName);
        break;
    case kCmdInviteToSpeak:
        if (host)
            m_whispers->SetSpeakInvitation(record.senderId);
        break;
    case kCmdEndSpeaking:
        if (host)
            m_whispers->ClearPendingAction();
        break;
    case kCmdQueueItems:
        if (host)
            m_whispers->AddEventQueueItems(record.senderId, text);
        break;
    case kCmdSayInAuditorium:
        if (host && IsAuditorium())
            SayChatLine(text);
        break;
    case kCmdGameData:
    case kCmdGameData21:
    case kCmdModeratorAnswer:
    case kCmdGameData23:
        m_dde.SendGameData(record.senderId, record.name, text, payload, kGameDataTag, 0);
        break;
    case kCmdStageRequest:
        OnAuditoriumCommand(text, host && own);
        break;
    case kCmdRepeatLine:
        if (IsInRootPlace() && m_whispers->IsInPeopleList(record.senderId))
            SayChatLine(displayName + " says: " + text);
        break;
    default:
        break;
    }
}

void CPlace::OnOwnHostCommand(uint8_t code, const std::string& text)
{
    switch (code) {
    case kCmdEventText:
        if (m_eventService)
            SendOwnGameData(kTagEventText, m_whispers->GetEventText());
        else
            SendOwnGameData(kTagEventService, "0");
        break;
    case kCmdAskEventService:
        if (m_eventService)
            SendMemberRequest(0, m_eventService, kAskEventService, text, CTvlBlob());
        else
            SendOwnGameData(kTagEventService, "0");
        break;
    case kCmdNumberedRequest:
        if (!text.empty()) {
            const uint32_t number = SendNumberedRequest(text, 0, true, false);
            SendOwnGameData(kTagNumberedRequest, text + " " + std::to_string(number));
        }
        break;
    case kCmdTranscript:
        if (m_transcriptService)
            SendMemberRequest(0, m_transcriptService, kAskTranscript, GetName(), CTvlBlob());
        else
            ShowMessage(kStrNoFirst, kStrNoTranscript, {});
        break;
    case kCmdPublishEventText:
        PutItem(*this, CZrItem::Text(kEventTextItem, text));
        break;
    default:
        break;
    }
}

void CPlace::OnAuditoriumCommand(const std::string& text, bool hostAndOwn)
{
    if (!IsAuditorium())
        ShowMessage(kStrNoFirst, kStrNotInAuditorium, {});
    else if (hostAndOwn)
        SendInviteRequest(0, GetId(), CZrString(text, kStageRecordKind));
}

void CPlace::SendOwnGameData(uint8_t tag, const std::string& text)
{
    CZrPerson& myself = *GetMyself();
    SendTaggedGameData(myself.GetId(), myself.GetName(), text, tag, CTvlBlob());
}

void CPlace::SayChatLine(const std::string& text)
{
    RequestMove(*this, kSayChat, text, CTvlBlob());
}

CZrPerson* CPlace::CreatePerson()
{
    if (!m_personViews)
        return CZrClientPlace::CreatePerson();
    return new CPersonClient(*m_personViews);
}

CZrGroup* CPlace::CreateGroup(uint32_t kind)
{
    return CreatePlaceData(kind);
}

CZrGroup* CPlace::CreatePlaceData(uint32_t kind)
{
    if (!m_personViews)
        return CZrClientPlace::CreateGroup(kind);
    if (kind == CClientPlace::kGameKind)
        return new CClientRoom(*m_personViews);
    return new CClientPlace(kind, *m_personViews);
}

// ---- The place's persons and groups ----------------------------------------

// The members that the entry brought along show themselves as those that
// arrive later do.
void CPlace::ShowMembers()
{
    for (CZrGroup* standing : {GetRoom(), GetCorridor()}) {
        if (!standing)
            continue;
        std::vector<CZrObject*> members;
        for (CTvlListIter it = standing->Children().Begin(); it.IsValid(); it.Next())
            members.push_back(it.Get<CZrObject>());
        for (CZrObject* member : members)
            member->OnEnter();
    }
}

const CZrItem* CPlace::FindPlaceItem(uint16_t code)
{
    if (GetRoom()) {
        if (const CZrItem* item = GetRoom()->GetInfo().Items().Find(code))
            return item;
    }
    return GetInfo().Items().Find(code);
}

void CPlace::SaveMyselfPosition(const CZrPosition& position)
{
    if (!position.IsXY())
        return;
    m_app.WriteSetting("MyselfXPos", position.GetFirst());
    m_app.WriteSetting("MyselfYPos", position.GetSecond());
}

void CPlace::SendMyselfPosition()
{
    if (auto* myself = dynamic_cast<CMyselfClient*>(GetMyself()))
        myself->SendPosition();
}

void CPlace::ShowPairTab(CZrPerson& person, CZrGroup& group)
{
    if (auto* myself = dynamic_cast<CMyselfClient*>(GetMyself()))
        myself->Own().ShowImTab(person, group);
}

void CPlace::ReturnToPage()
{
    SetSelector(CZrPlaceSelector::Number(GetNumber()));
    const std::string url = m_frame.GetPageUrl();
    if (!url.empty())
        m_frame.ShowPage(url);
}

// ---- Pictures ----------------------------------------------------------------

namespace {

// The object has a picture on offer that is neither here nor asked for.
bool IsPictureMissing(const CZrObject& object)
{
    const CZrInfo& info = object.GetInfo();
    return info.Member()->DataFlag() != 0 && !info.Member()->GetData() && !info.IsDataRequested();
}

CZrObject* FindMissingPicture(CZrGroup& group)
{
    for (CTvlListIter it = group.Children().Begin(); it.IsValid(); it.Next()) {
        auto* child = it.Get<CZrObject>();
        if (!child)
            continue;
        if (IsPictureMissing(*child))
            return child;
        if (CZrGroup* inner = child->AsGroup()) {
            if (CZrObject* found = FindMissingPicture(*inner))
                return found;
        }
    }
    return nullptr;
}

}  // namespace

bool CPlace::ImagesAutoLoad() const
{
    return m_app.ReadSetting("ImagesAutoLoad", 1) != 0;
}

void CPlace::OfferPicture(CZrObject& object)
{
    if (!m_picturesLoaded || !ImagesAutoLoad() || !IsPictureMissing(object))
        return;
    if (RequestJoin(object, CPersonClient::kPictureMode) == 0)
        m_picturesLoaded = false;
}

void CPlace::RequestPicture(CZrObject& object)
{
    if (ImagesAutoLoad() && IsPictureMissing(object))
        RequestJoin(object, CPersonClient::kPictureMode);
}

void CPlace::ContinuePictureLoading()
{
    if (!m_picturesLoaded && ImagesAutoLoad())
        LoadNextPicture();
}

// A picture that failed to arrive or decode counts as done: the walk never
// picks an object whose picture is here or asked for, so the chain moves on.
void CPlace::LoadNextPicture()
{
    CZrObject* next = FindMissingPicture(*this);
    if (!next) {
        m_picturesLoaded = true;
        return;
    }
    m_picturesLoaded = false;
    RequestJoin(*next, CPersonClient::kPictureMode);
}
