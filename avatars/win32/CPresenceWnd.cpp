#include "CPresenceWnd.h"

#include "CDC.h"
#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrGroup.h"
#include "ZrItem.h"
#include "ZrPerson.h"

IMPLEMENT_DYNAMIC(CPresenceWnd, CMemberWnd)

namespace {

constexpr uint32_t kPlaceholder = 484;
constexpr uint32_t kSecondPlaceholder = 486;
constexpr uint32_t kIgnoredPicture = 481;
constexpr uint32_t kMarkPicture = 487;

}  // namespace

CPresenceWnd::CPresenceWnd(CZrPerson& person, IMemberWndHost& host) : CMemberWnd(person, host), m_person(person)
{
}

std::string CPresenceWnd::Property(uint16_t code) const
{
    const CZrItem* item = m_person.GetInfo().Items().Find(code);
    return item ? item->GetText() : std::string();
}

// The person's picture decoded from its member data, again only when the
// bytes changed; null when there are none or they do not decode.
CPicture* CPresenceWnd::OwnPicture()
{
    const CTvlBlob* data = m_person.GetInfo().Member()->GetData();
    if (!data || data->Length() == 0)
        return nullptr;
    if (data->Bytes() != m_pictureSource) {
        m_pictureSource = data->Bytes();
        auto picture = std::make_unique<CPicture>();
        m_picture = picture->LoadMemory(data->Bytes(), data->Length()) ? std::move(picture) : nullptr;
    }
    return m_picture.get();
}

CPicture* CPresenceWnd::GetPicture()
{
    IMemberWndHost& host = Host();
    const AvatarFlip flip = AvatarFlipOf(Property(kFlipProperty));
    if (m_person.GetInfo().Member()->DataFlag() != 0) {
        if (!m_person.GetInfo().Member()->GetData())
            return host.GetSharedPicture(host.UsesPlaceholderOption() ? kSecondPlaceholder : kPlaceholder);
        CPicture* own = host.IsIgnored(m_person.GetId()) ? nullptr : OwnPicture();
        if (!own) {
            CPicture* ignored = host.GetSharedPicture(kIgnoredPicture);
            if (ignored)
                ignored->SetFlip(false, false);
            return ignored;
        }
        own->SetFlip(flip.horizontal, flip.vertical);
        return own;
    }
    CPicture* mood = host.GetSharedPicture(AvatarMoodBitmap(Property(kMoodProperty)));
    if (mood)
        mood->SetFlip(flip.horizontal, flip.vertical);
    return mood;
}

void CPresenceWnd::DrawPicture(CDC* dc, const RECT& rect)
{
    CMemberWnd::DrawPicture(dc, rect);
    if (!m_mark || !Host().IsLocalModerator())
        return;
    if (CPicture* mark = Host().GetSharedPicture(kMarkPicture))
        mark->Draw(dc, rect);
}

// Persons of a group show in their group's window, which the place does not
// make yet: only persons standing in the place show.
bool CPresenceWnd::MayShow() const
{
    const CZrGroup* parent = m_person.GetParent();
    if (!parent || !(parent->IsRoot() || parent->IsRoom() || parent->IsCorridor()))
        return false;
    return CMemberWnd::MayShow();
}

void CPresenceWnd::UpdatePosition()
{
    PlaceOnPage(Host().GetSizes().avatar);
}

std::string CPresenceWnd::GetBubbleText()
{
    return Host().IsIgnored(m_person.GetId()) ? Host().IgnoredText() : Host().DisplayNameOf(m_person);
}

void CPresenceWnd::SetOverlayState(bool on)
{
    m_overlay = on;
    if (!m_hWnd)
        return;
    RECT corner{1, 1, 17, 17};
    ::InvalidateRect(m_hWnd, &corner, FALSE);
}

void CPresenceWnd::SetMarkState(bool on)
{
    m_mark = on;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

