#include "AvatarGalleryWnd.h"

#include <algorithm>
#include <cctype>

#include "AvatarFile.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "MessageMap.h"
#include "ModuleState.h"
#include "Picture.h"

namespace {

constexpr uint32_t kAllBlocks = CAvatarFile::kLoadStill | CAvatarFile::kLoadStrip | CAvatarFile::kLoadSound;
constexpr int kPressShift = 2;
constexpr int kStatusInset = 3;

RECT ToRect(const GalleryRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

bool SameName(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CAvatarGalleryWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
END_MESSAGE_MAP()

CAvatarGalleryWnd::CAvatarGalleryWnd() = default;

CAvatarGalleryWnd::~CAvatarGalleryWnd()
{
    if (m_hWnd) {
        DestroyWindow();
    }
    FreeBitmap();
    if (m_statusFont) {
        ::DeleteObject(m_statusFont);
    }
}

bool CAvatarGalleryWnd::Create(COLORREF keyColour)
{
    m_keyColour = keyColour;
    const char* className =
        CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!className || !CreateEx(WS_EX_TOOLWINDOW, className, AfxLoadString(kTitleText, "Gestures").c_str(),
                                WS_POPUP | WS_BORDER, RECT{0, 0, 10, 10}, nullptr, 0)) {
        return false;
    }
    m_statusFont = ::CreateFontA(kStatusFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, 18, DEFAULT_QUALITY, FF_SWISS, nullptr);
    m_created = true;
    return true;
}

void CAvatarGalleryWnd::SetTarget(IGallerySelectionTarget* target, bool transfer)
{
    m_target = target;
    m_transferTarget = transfer;
}

void CAvatarGalleryWnd::FreeBitmap()
{
    if (m_thumbnails) {
        ::DeleteObject(m_thumbnails);
        m_thumbnails = nullptr;
    }
}

void CAvatarGalleryWnd::Insert(const std::string& fileName)
{
    Item item{CGalleryLayout::ItemName(fileName), std::string()};
    std::vector<std::string> names;
    for (const Item& existing : m_items) names.push_back(existing.name);
    m_items.insert(m_items.begin() + static_cast<long>(CGalleryLayout::InsertPosition(names, item.name)), item);
}

void CAvatarGalleryWnd::SetFolder(const std::string& folder, bool force)
{
    if (!force && SameName(folder, m_folder) && !m_folder.empty()) {
        return;
    }
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    m_items.clear();
    m_selected = -1;
    m_hovered = -1;
    FreeBitmap();
    m_folder = folder;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*.zra").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                Insert(found.cFileName);
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    m_layout.Lay(m_items.size());
    MakeThumbnails();
    ::SetCursor(previous ? previous : ::LoadCursor(nullptr, IDC_ARROW));
}

void CAvatarGalleryWnd::MakeThumbnails()
{
    m_faceColour = ::GetSysColor(COLOR_BTNFACE);
    const GalleryRect grid = m_layout.GridRect();
    const int width = std::max(1, grid.right - grid.left);
    const int height = std::max(1, grid.bottom - grid.top);
    HDC screen = ::GetDC(nullptr);
    m_thumbnails = ::CreateCompatibleBitmap(screen, width, height);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, m_thumbnails);
    RECT all{0, 0, width, height};
    HBRUSH face = ::CreateSolidBrush(m_faceColour);
    ::FillRect(memory, &all, face);
    ::DeleteObject(face);
    for (size_t i = 0; i < m_items.size(); ++i) {
        const int index = static_cast<int>(i);
        GalleryRect cell = m_layout.CellRect(index);
        if (cell.right == cell.left) {
            continue;
        }
        CAvatarFile file;
        CPicture still;
        if (!file.Load(m_folder, m_items[i].name, kAllBlocks) ||
            !still.LoadMemory(file.GetStill().data(), file.GetStill().size())) {
            m_layout.EmptyCellOf(index);
            continue;
        }
        m_items[i].title = file.GetName();
        still.SetTransparentColor(true, m_keyColour);
        RECT place = ToRect(cell);
        ::OffsetRect(&place, -CGalleryLayout::kMargin, -CGalleryLayout::kMargin);
        RECT thumb{place.left + 1, place.top + 1, place.left + 1 + CGalleryLayout::kThumb,
                   place.top + 1 + CGalleryLayout::kThumb};
        still.Draw(CDC::FromHandle(memory), thumb);
        ::DrawEdge(memory, &place, EDGE_RAISED, BF_RECT);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void CAvatarGalleryWnd::Reposition()
{
    if (!m_created) {
        return;
    }
    const int width = m_layout.WindowWidth(::GetSystemMetrics(SM_CXBORDER));
    const int height = m_layout.WindowHeight(::GetSystemMetrics(SM_CYBORDER));
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    int32_t x = 0;
    int32_t y = 0;
    CGalleryLayout::PopupOrigin({m_anchor.left, m_anchor.top, m_anchor.right, m_anchor.bottom},
                                {desktop.left, desktop.top, desktop.right, desktop.bottom}, width, height, x, y);
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, width, height, SWP_NOACTIVATE);
}

void CAvatarGalleryWnd::Popup(const RECT& anchor)
{
    m_anchor = anchor;
    Reposition();
    ShowWindow(SW_SHOWNA);
    SetCapture();
}

int CAvatarGalleryWnd::IndexOfName(const std::string& name) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (SameName(m_items[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CAvatarGalleryWnd::GetSelectedName(std::string& name) const
{
    if (m_selected < 0) {
        return false;
    }
    name = m_items[static_cast<size_t>(m_selected)].name;
    return true;
}

bool CAvatarGalleryWnd::GetSelectedTitle(std::string& title) const
{
    if (m_selected < 0) {
        return false;
    }
    title = m_items[static_cast<size_t>(m_selected)].title;
    return true;
}

bool CAvatarGalleryWnd::GetTitleOfName(const std::string& name, std::string& title) const
{
    const int index = IndexOfName(name);
    if (index < 0) {
        return false;
    }
    title = m_items[static_cast<size_t>(index)].title;
    return true;
}

void CAvatarGalleryWnd::ClearSelection()
{
    m_selected = -1;
    if (m_hWnd) {
        Invalidate(false);
    }
    if (m_transferTarget && m_target) {
        m_target->OnGallerySelectionChanged(false);
    }
}

void CAvatarGalleryWnd::SelectByName(const std::string& name)
{
    m_selected = IndexOfName(name);
    if (m_hWnd) {
        Invalidate(false);
    }
}

std::string CAvatarGalleryWnd::StatusText() const
{
    const int shown = m_hovered >= 0 ? m_hovered : m_selected;
    return shown >= 0 ? m_items[static_cast<size_t>(shown)].title : std::string();
}

void CAvatarGalleryWnd::Notify()
{
    if (m_target) {
        m_target->OnGallerySelectionChanged(m_selected >= 0);
    }
}

void CAvatarGalleryWnd::OnPaint()
{
    if (::GetSysColor(COLOR_BTNFACE) != m_faceColour) {
        // The system colours changed: the thumbnails are made again.
        CPaintDC skip(this);
        SetFolder(m_folder, true);
        Reposition();
        Invalidate(false);
        return;
    }
    CPaintDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    RECT client{};
    GetClientRect(&client);
    HBRUSH face = ::CreateSolidBrush(m_faceColour);
    ::FillRect(hdc, &client, face);
    ::DeleteObject(face);
    const GalleryRect grid = m_layout.GridRect();
    HDC memory = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = m_thumbnails ? ::SelectObject(memory, m_thumbnails) : nullptr;
    if (m_thumbnails) {
        ::BitBlt(hdc, grid.left, grid.top, grid.right - grid.left, grid.bottom - grid.top, memory, 0, 0, SRCCOPY);
    }
    if (m_selected >= 0 && m_thumbnails) {
        RECT cell = ToRect(m_layout.CellRect(m_selected));
        if (cell.right > cell.left) {
            ::FillRect(hdc, &cell, static_cast<HBRUSH>(::GetSysColorBrush(COLOR_BTNFACE)));
            ::BitBlt(hdc, cell.left + 1 + kPressShift, cell.top + 1 + kPressShift, CGalleryLayout::kThumb,
                     CGalleryLayout::kThumb, memory, cell.left - grid.left + 1, cell.top - grid.top + 1, SRCCOPY);
            ::DrawEdge(hdc, &cell, EDGE_SUNKEN, BF_RECT);
        }
    }
    if (old) {
        ::SelectObject(memory, old);
    }
    RECT status = ToRect(m_layout.StatusRect());
    ::DrawEdge(hdc, &status, EDGE_SUNKEN, BF_RECT);
    RECT text = status;
    ::InflateRect(&text, -kStatusInset, -kStatusInset);
    if (m_hovered < 0 && m_selected >= 0 && m_checkMark) {
        HBITMAP check = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kCheckBitmap));
        if (check) {
            HGDIOBJ previous = ::SelectObject(memory, check);
            ::BitBlt(hdc, text.left, text.bottom - kCheckSize, kCheckSize, kCheckSize, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, previous);
            ::DeleteObject(check);
        }
        text.left += kCheckSize;
    }
    ::DeleteDC(memory);
    const std::string shown = StatusText();
    HGDIOBJ oldFont = ::SelectObject(hdc, m_statusFont);
    ::SetBkMode(hdc, TRANSPARENT);
    ::DrawTextA(hdc, shown.c_str(), static_cast<int>(shown.size()), &text,
                DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(hdc, oldFont);
}

void CAvatarGalleryWnd::OnLButtonDown(UINT, POINT point)
{
    SetFocus();
    const int item = m_layout.ItemAtPoint(point.x, point.y);
    if (item < 0) {
        return;
    }
    m_selected = item == m_selected ? -1 : item;
    Invalidate(false);
    Notify();
}

void CAvatarGalleryWnd::OnLButtonUp(UINT, POINT) { HideAndRelease(); }

void CAvatarGalleryWnd::OnMouseMove(UINT, POINT point)
{
    const int item = m_layout.ItemAtPoint(point.x, point.y);
    if (item == m_hovered) {
        return;
    }
    m_hovered = item;
    RECT status = ToRect(m_layout.StatusRect());
    ::InvalidateRect(m_hWnd, &status, FALSE);
}

void CAvatarGalleryWnd::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_ESCAPE) {
        HideAndRelease();
    } else if (key == VK_F5) {
        SetFolder(m_folder, true);
        Reposition();
        Invalidate();
    }
}

void CAvatarGalleryWnd::OnClose() { HideAndRelease(); }

// Another program taking over hides the popup.
LRESULT CAvatarGalleryWnd::OnActivateApp(WPARAM active, LPARAM)
{
    if (!active) {
        HideAndRelease();
    }
    return 0;
}

void CAvatarGalleryWnd::HideAndRelease()
{
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    ShowWindow(SW_HIDE);
}
