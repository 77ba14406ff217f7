// The notifications of the DDE session: each builds one item and posts it to
// the programs that advise on it.
#include "CDdeSession.h"

#include "ZrClientPlace.h"
#include "ZrDdeGroupItems.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdeObjects.h"
#include "ZrDdePlaceItems.h"
#include "ZrDdePresenceItems.h"
#include "ZrGroup.h"
#include "ZrPerson.h"
#include "ZrPlaceDesc.h"

using namespace ZrDdeObjects;

void CDdeSession::Post(CZrDdeItem&& item)
{
    if (m_poster)
        m_poster->PostItem(item);
}

std::string CDdeSession::TextOr348(uint32_t stringId) const
{
    const std::string text = m_host.LoadText(stringId);
    return text.empty() ? m_host.LoadText(kUnknownErrorText) : text;
}

void CDdeSession::PostConnectCommunity()
{
    CZrPerson* myself = Myself();
    Post(CConnectCommunityItem(m_host.GetCommunityName(), m_host.GetCurrentAddress(),
                               myself ? myself->GetId() : 0));
}

void CDdeSession::PostDisconnectCommunity(uint32_t stringId)
{
    Post(CDisconnectCommunityItem(TextOr348(stringId)));
}

void CDdeSession::PostNavigate()
{
    Post(CNavigateItem(m_host.GetCurrentAddress()));
}

// Name, title, identifier and member count of each place; empty entries are
// dropped and do not count.
void CDdeSession::PostQueryPlaces(const std::vector<std::unique_ptr<CZrPlaceDesc>>& places)
{
    std::vector<CPlaceEntry> entries;
    for (const std::unique_ptr<CZrPlaceDesc>& place : places) {
        if (entries.size() >= kMaxPlaceEntries)
            break;
        if (!place)
            continue;
        CPlaceEntry entry{place->name, place->title, place->id, place->memberCount & 0xFFFFu};
        if (!entry.IsEmpty())
            entries.push_back(std::move(entry));
    }
    entries.push_back(CPlaceEntry());
    Post(CQueryPlacesItem(std::move(entries)));
}

void CDdeSession::PostSay(uint32_t sender, const std::string& name, const std::string& text,
                          const ZrDdeBytes& bytes, uint32_t valueA)
{
    Post(CSayItem(sender, name, text, bytes, valueA, 0));
}

void CDdeSession::PostSend(uint32_t sender, const std::string& name, const std::string& text,
                           const ZrDdeBytes& bytes, uint32_t valueA, uint32_t valueC)
{
    Post(CSendItem(sender, name, text, bytes, valueA, valueC, 0));
}

void CDdeSession::PostEnterRoom(CZrObject& object, bool startVoice)
{
    CZrPerson* myself = Myself();
    if (startVoice && myself && (&object == myself || (OwnGroup(*myself) && myself->IsInside(&object))))
        m_host.StartVoiceSession();
    Post(CEnterRoomItem(object.GetId(), KindWord(object), object.GetName()));
}

void CDdeSession::PostLeaveRoom(CZrObject& object)
{
    Post(CLeaveRoomItem(object.GetId(), KindWord(object), object.GetName()));
}

void CDdeSession::PostMove(uint32_t x, uint32_t y)
{
    Post(CMoveItem(x / 100, y / 100));
}

void CDdeSession::PostMoveError(uint32_t stringId)
{
    Post(CMoveErrorItem(TextOr348(stringId)));
}

void CDdeSession::PostAlert(uint32_t id, const std::string& name)
{
    Post(CAlertItem(id, name));
}

void CDdeSession::PostStartGroup(CZrGroup& group, CZrPerson& starter)
{
    Post(CStartGroupItem(group.GetId(), KindWord(group), group.GetName(), group.GetCapacity(), starter.GetId(),
                         starter.GetName()));
}

void CDdeSession::PostBreakGroup(CZrGroup& group)
{
    const CZrGroup* container = group.GetParent();
    Post(CBreakGroupItem(group.GetId(), container ? container->GetId() : 0,
                         container ? container->GetName() : std::string()));
}

void CDdeSession::PostStart1on1(CZrGroup& group, CZrPerson& person)
{
    Post(CStart1on1Item(group.GetId(), person.GetId(), person.GetName()));
}

void CDdeSession::PostBreak1on1(CZrGroup& group)
{
    Post(CBreak1on1Item(group.GetId(), 0, std::string()));
}

void CDdeSession::PostJoinGroup(CZrPerson& person, CZrGroup& group)
{
    const CZrGroup* container = group.GetParent();
    Post(CJoinGroupItem(group.GetId(), person.GetId(), person.GetName(), container ? container->GetId() : 0,
                        container ? container->GetName() : std::string()));
}

void CDdeSession::PostLeaveGroup(CZrPerson& person, CZrGroup& group)
{
    const CZrGroup* container = group.GetParent();
    Post(CLeaveGroupItem(group.GetId(), person.GetId(), person.GetName(), container ? container->GetId() : 0,
                         container ? container->GetName() : std::string()));
}

void CDdeSession::PostGroupError(uint32_t stringId)
{
    Post(CGroupErrorItem(TextOr348(stringId)));
}

void CDdeSession::PostPresenceIdentity(CZrPerson& person)
{
    const CZrPersonInfo& info = person.GetPersonInfo();
    Post(CSetPresenceIdentityItem(person.GetId(), info.GetName(), info.GetFullName(), info.GetLocation(),
                                  info.GetEmail()));
}

void CDdeSession::PostPresenceFace(CZrPerson& person)
{
    ZrDdeBytes picture = m_host.EncodePicture(person);
    if (!picture.empty())
        Post(CSetPresenceFaceItem(person.GetId(), std::move(picture)));
}
