#include "CPresenceWnd.h"

#include <shellapi.h>

#include "CDC.h"
#include "CGroupWnd.h"
#include "CSeatRowWnd.h"
#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrGroup.h"
#include "ZrItem.h"
#include "ZrPerson.h"

IMPLEMENT_DYNAMIC(CPresenceWnd, CMemberWnd)

BEGIN_MESSAGE_MAP(CPresenceWnd, CMemberWnd)
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_DROPFILES, OnDropFiles)
END_MESSAGE_MAP()

namespace {

constexpr uint32_t kPlaceholder = 484;
constexpr uint32_t kSecondPlaceholder = 486;
constexpr uint32_t kIgnoredPicture = 481;
constexpr uint32_t kMarkPicture = 487;
// The overlay of a targeted person, laid with OR then AND: for windows at
// least as wide as a big avatar, and for narrower ones.
constexpr uint32_t kWideOverlay[] = {143, 269};
constexpr uint32_t kNarrowOverlay[] = {270, 271};

void BlitBitmap(HDC target, HMODULE module, uint32_t id, DWORD rop)
{
    auto bitmap = static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    HDC source = ::CreateCompatibleDC(target);
    if (source) {
        HGDIOBJ old = ::SelectObject(source, bitmap);
        ::BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, rop);
        ::SelectObject(source, old);
        ::DeleteDC(source);
    }
    ::DeleteObject(bitmap);
}

}  // namespace

CPresenceWnd::CPresenceWnd(CZrPerson& person, IMemberWndHost& host) : CMemberWnd(person, host), m_person(person)
{
    SetMenuId(kMenuId);
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
    if (m_overlay && !Host().IsIgnored(m_person.GetId()) && !IsDeletePending()) {
        const bool wide = rect.right - rect.left >= Host().GetSizes().big.width;
        const uint32_t* overlay = wide ? kWideOverlay : kNarrowOverlay;
        BlitBitmap(dc->GetSafeHdc(), Host().GetResourceModule(), overlay[0], SRCPAINT);
        BlitBitmap(dc->GetSafeHdc(), Host().GetResourceModule(), overlay[1], SRCAND);
    }
    if (!m_mark || !Host().IsLocalModerator())
        return;
    if (CPicture* mark = Host().GetSharedPicture(kMarkPicture))
        mark->Draw(dc, rect);
}

CGroupWnd* CPresenceWnd::HostGroupWindow() const
{
    const CZrGroup* parent = m_person.GetParent();
    const MemberContainer container = Host().ContainerKindOf(parent);
    if (container == MemberContainer::kPlace || container == MemberContainer::kSeatRow)
        return nullptr;
    return dynamic_cast<CGroupWnd*>(Host().GroupWindowFor(*parent));
}

// A person standing in the place shows on the page; one in a group shows in
// its group's window; one in a seat row waits for the row's window.
bool CPresenceWnd::MayShow() const
{
    const CZrGroup* parent = m_person.GetParent();
    if (!parent)
        return false;
    const MemberContainer container = Host().ContainerKindOf(parent);
    if (container == MemberContainer::kPlace)
        return CMemberWnd::MayShow();
    if (container == MemberContainer::kSeatRow) {
        const CSeatRowWnd* row = Host().RowWindowOf(*parent);
        return row && Host().ShowsSeatRows() && m_person.GetPosition().GetId() >= 1;
    }
    return HostGroupWindow() != nullptr && Host().IsPageActive();
}

void CPresenceWnd::UpdatePosition()
{
    const CZrGroup* parent = m_person.GetParent();
    if (parent && Host().ContainerKindOf(parent) == MemberContainer::kSeatRow) {
        SitInRow(*parent);
        return;
    }
    CGroupWnd* group = HostGroupWindow();
    if (!group) {
        PlaceOnPage(Host().GetSizes().avatar);
        return;
    }
    if (!m_hWnd || !group->GetSafeHwnd())
        return;
    if (::GetParent(m_hWnd) != group->GetSafeHwnd())
        ::SetParent(m_hWnd, group->GetSafeHwnd());
    const AvatarPoint at = group->GetMemberOffset(m_person);
    const AvatarExtent size = group->GetMemberSize(m_person);
    EndHover();
    ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A seated person takes its seat's cell (its marker goes); one without a
// seat stays hidden where it is.
void CPresenceWnd::SitInRow(const CZrGroup& rowGroup)
{
    CSeatRowWnd* row = Host().RowWindowOf(rowGroup);
    if (!row || !row->GetSafeHwnd() || !m_hWnd)
        return;
    const AvatarPoint at = row->SeatOrigin(m_person);
    if (at.x == -1 && at.y == -1)
        return;
    if (::GetParent(m_hWnd) != row->GetSafeHwnd())
        ::SetParent(m_hWnd, row->GetSafeHwnd());
    const AvatarExtent cell = row->CellSize();
    EndHover();
    ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, cell.width, cell.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPresenceWnd::BuildContextMenu(HMENU popup, int32_t, int32_t)
{
    Host().PreparePersonMenu(popup, m_person);
}

bool CPresenceWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        return CMemberWnd::OnCommand(wParam, lParam);
    if (!IsDeletePending())
        Host().RunPersonCommand(LOWORD(wParam), m_person);
    return true;
}

void CPresenceWnd::OnLButtonDblClk(UINT, POINT)
{
    if (!IsDeletePending())
        Host().RunPersonCommand(kCmdIdentity, m_person);
}

bool CPresenceWnd::CreateMemberWindow(CWnd* parent, const RECT& rect)
{
    if (!CMemberWnd::CreateMemberWindow(parent, rect))
        return false;
    if (!IsMyselfWnd())
        ::DragAcceptFiles(m_hWnd, TRUE);
    return true;
}

// Only the first of the files dropped is sent.
LRESULT CPresenceWnd::OnDropFiles(WPARAM drop, LPARAM)
{
    auto files = reinterpret_cast<HDROP>(drop);
    std::string path;
    const UINT length = ::DragQueryFileA(files, 0, nullptr, 0);
    if (length > 0) {
        path.resize(length + 1);
        path.resize(::DragQueryFileA(files, 0, &path[0], length + 1));
    }
    ::DragFinish(files);
    if (!path.empty() && !IsDeletePending())
        Host().SendDroppedFile(m_person, path);
    return 0;
}

std::string CPresenceWnd::GetBubbleText()
{
    return Host().IsIgnored(m_person.GetId()) ? Host().IgnoredText() : Host().DisplayNameOf(m_person);
}

void CPresenceWnd::SetOverlayState(bool on)
{
    m_overlay = on;
    // The overlay covers the avatar: all of it is drawn again, so that a
    // cleared overlay leaves nothing behind.
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPresenceWnd::SetMarkState(bool on)
{
    m_mark = on;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

