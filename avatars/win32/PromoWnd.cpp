#include "PromoWnd.h"

#include <algorithm>
#include <vector>

#include "AppPalette.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "IPromoHost.h"
#include "MessageMap.h"
#include "ModuleState.h"
#include "PromoNameBubble.h"
#include "ZoomRectEffect.h"
#include "ZrWndHost.h"

namespace {

// Double clicks, horizontal and vertical redraw.
constexpr UINT kClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
// Regions whose box is narrower or lower than this take the whole window.
constexpr int kMinRegionSide = 5;

const char* PromoClass()
{
    static const char* name = [] {
        HMODULE resources = AfxGetResourceHandle();
        const char* base = CWnd::RegisterWndClass(kClassStyle,
                                                  ::LoadCursorA(resources, MAKEINTRESOURCEA(CPromoWnd::kCursorId)),
                                                  static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
        HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CPromoWnd::kIconId));
        return base && CWnd::RegisterClassCopy(base, CPromoWnd::kClassName, icon) ? CPromoWnd::kClassName
                                                                                 : nullptr;
    }();
    return name;
}

// The region of the traced outline: the polygon through the boundary
// pixels, widened by one pixel right and down so that the boundary pixels
// themselves belong to it.
HRGN OutlineRegion(const std::vector<PixelPoint>& path)
{
    std::vector<POINT> points;
    points.reserve(path.size());
    for (const PixelPoint& point : path) points.push_back({point.x, point.y});
    HRGN region = ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
    for (const POINT shift : {POINT{1, 0}, POINT{0, 1}, POINT{1, 1}}) {
        HRGN part = ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
        ::OffsetRgn(part, shift.x, shift.y);
        ::CombineRgn(region, region, part, RGN_OR);
        ::DeleteObject(part);
    }
    return region;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPromoWnd, CZrWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPromoWnd::CPromoWnd(IPromoHost& host, const std::string& file, const CBroadcastInfo& record) : m_host(host)
{
    if (!LoadPictureFile(file)) {
        return;
    }
    TakeRecord(record);
}

CPromoWnd::CPromoWnd(IPromoHost& host, const CPicture& picture, const CBroadcastInfo& record)
    : m_host(host), m_picture(picture)
{
    if (m_picture.IsEmpty()) {
        return;
    }
    TakeRecord(record);
}

CPromoWnd::~CPromoWnd()
{
    m_caption.reset();
    if (m_hWnd) {
        DestroyWindow();
    }
    if (m_region) {
        ::DeleteObject(m_region);
    }
}

// Where the record keeps the promotion's settings: the size kind in the
// second of its first five values, the two display times in the third and
// fourth, the duration kind in the fifth; the final value, the shaped flag
// and the flash in the last three of the four further values.
void CPromoWnd::TakeRecord(const CBroadcastInfo& record)
{
    for (int i = 0; i < 3; ++i) m_texts[i] = record.texts[i];
    m_blob = record.last;
    m_settings = PromoSettings::Make(record.values[1], record.moreValues[2], record.moreValues[3], record.values[4],
                                     record.values[2], record.values[3], record.moreValues[1]);
    SetFrameWidth(1);
    SetFrameColor(0);
    m_valid = true;
}

bool CPromoWnd::LoadPictureFile(const std::string& file)
{
    if (::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        m_host.ShowPromoMessage(kBlankText, kNotFoundText, file);
        return false;
    }
    HANDLE handle = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_host.ShowPromoMessage(kBlankText, kOpenFailedText, file);
        return false;
    }
    const DWORD size = ::GetFileSize(handle, nullptr);
    if (size == INVALID_FILE_SIZE || size > CPicture::kMaxFileLength) {
        ::CloseHandle(handle);
        m_host.ShowPromoMessage(0, kOutOfMemoryText, file);
        return false;
    }
    std::vector<uint8_t> bytes(size);
    DWORD read = 0;
    const bool complete = ::ReadFile(handle, bytes.data(), size, &read, nullptr) && read == size;
    ::CloseHandle(handle);
    if (!complete) {
        m_host.ShowPromoMessage(kBlankText, kReadFailedText, file);
        return false;
    }
    if (!m_picture.LoadMemory(bytes.data(), bytes.size()) || m_picture.IsEmpty()) {
        m_host.ShowPromoMessage(kBlankText, kBadPictureText, file);
        return false;
    }
    return true;
}

bool CPromoWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CZrWnd::PreCreateWindow(cs);
}

bool CPromoWnd::Create(CWnd* parent)
{
    const char* className = PromoClass();
    if (!m_valid || !parent || !className) {
        return false;
    }
    m_position[0] = kPageCentre;
    m_position[1] = kPageCentre;
    m_counter = 0;
    m_captionShown = false;
    // The window has the picture's size, but no more than the page's (a
    // larger picture is drawn smaller), so a long thin picture cannot ask for
    // a window the display cannot make.
    const AvatarPage page = m_host.PromoPageArea();
    const int maxWidth = page.width > 0 ? page.width : kMaxSide;
    const int maxHeight = page.height > 0 ? page.height : kMaxSide;
    const RECT rect{0, 0, std::min<int>(m_picture.Width(), maxWidth), std::min<int>(m_picture.Height(), maxHeight)};
    if (!CreateEx(0, className, kTitle, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, parent, 0)) {
        return false;
    }
    if (ZrWndHost* host = ZrWndHost::Get()) {
        host->RegisterIdleWindow(this);
    }
    return true;
}

POINT CPromoWnd::GetAnchorPoint() const
{
    RECT box{};
    if (m_region && ::GetRgnBox(m_region, &box) != NULLREGION) {
        return {box.left, box.bottom};
    }
    ::GetClientRect(m_hWnd, &box);
    return {box.left, box.bottom};
}

void CPromoWnd::SetShown(bool show)
{
    if (show) {
        ShowWindow(SW_HIDE);
        UpdatePosition();
        ShowWindow(SW_SHOW);
        return;
    }
    EndHover();
    ShowWindow(SW_HIDE);
}

void CPromoWnd::UpdatePosition()
{
    RECT own{};
    GetWindowRect(&own);
    const AvatarPoint centre = AvatarPixelPosition(m_position[0], m_position[1], m_host.PromoPageArea(), {0, 0});
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(nullptr, centre.x - width / 2, centre.y - height / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPromoWnd::DrawPicture(CDC* dc, const RECT& rect)
{
    m_picture.DrawFramed(dc, rect, GetFrameWidth() != 0, GetFrameColor(), GetFrameWidth(), false);
}

bool CPromoWnd::OnDragOver(int32_t x, int32_t y, int32_t* kind)
{
    const AvatarPage page = m_host.PromoPageArea();
    CWnd* parent = GetParent();
    POINT point{x, y};
    if (parent) {
        ::ScreenToClient(parent->m_hWnd, &point);
    }
    if (kind) {
        *kind = 0;
    }
    return point.x >= page.left && point.y >= page.top && point.x < page.left + page.width &&
           point.y < page.top + page.height;
}

bool CPromoWnd::StartTimers()
{
    if (m_settings.flash == 1) {
        m_flashTimer = SetTimer(kFlashTimer, kFlashMs);
        return m_flashTimer != 0;
    }
    if (SetTimer(kDisplayTimer, m_settings.displaySeconds * 1000u)) {
        return true;
    }
    m_caption.reset();
    return false;
}

void CPromoWnd::OnPaint()
{
    CPaintDC dc(this);
    if (IsDeletePending() || m_finished) {
        return;
    }
    if (!m_painted) {
        m_painted = true;
        if (!StartTimers()) {
            Finish();
            return;
        }
    }
    RECT client{};
    GetClientRect(&client);
    if (m_settings.flash == 1) {
        if (const auto colour = PromoFlashColour(m_counter)) {
            HBRUSH brush = ::CreateSolidBrush(*colour);
            ::FillRect(dc.GetSafeHdc(), &client, brush);
            ::DeleteObject(brush);
            return;
        }
    }
    if (m_settings.shaped && !m_region) {
        ApplyShape();
    }
    CAppPalette::Get().Select(&dc);
    DrawPicture(&dc, client);
    CAppPalette::Get().Restore(&dc);
    if (!m_captionShown) {
        ShowCaption();
    }
}

void CPromoWnd::ShowCaption()
{
    m_captionShown = true;
    ZrWndHost* host = ZrWndHost::Get();
    CWnd* owner = host ? host->GetMainWnd() : nullptr;
    m_caption = std::make_unique<CPromoNameBubble>();
    if (!m_caption->Create(owner, m_host.PromoCaptionColour())) {
        m_caption.reset();
        return;
    }
    POINT corner = GetAnchorPoint();
    ::ClientToScreen(m_hWnd, &corner);
    m_caption->ShowText(corner.x, corner.y, Caption());
}

void CPromoWnd::OnTimer(UINT_PTR id)
{
    if (id == kFlashTimer) {
        ++m_counter;
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        if (m_counter < kFlashSteps) {
            return;
        }
        KillTimer(kFlashTimer);
        m_flashTimer = 0;
        if (!SetTimer(kDisplayTimer, m_settings.displaySeconds * 1000u)) {
            Finish();
        }
        return;
    }
    if (id == kDisplayTimer) {
        ++m_counter;
        KillTimer(kDisplayTimer);
        ZoomAway();
        Finish();
        return;
    }
    CZrWnd::OnTimer(id);
}

void CPromoWnd::ZoomAway()
{
    ZrWndHost* host = ZrWndHost::Get();
    CWnd* main = host ? host->GetMainWnd() : nullptr;
    RECT own{};
    GetWindowRect(&own);
    auto* zoom = new CZoomRectEffect(main ? main->m_hWnd : nullptr);
    zoom->Setup(own, m_host.PromoZoomTarget(), -1, kZoomSpeed, true);
    if (!zoom->Start(false)) {
        delete zoom;
    }
}

void CPromoWnd::Finish()
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_caption.reset();
    SetShown(false);
    m_host.TakeFinishedPromotion(*this);
}

void CPromoWnd::OnDestroy()
{
    m_caption.reset();
    if (ZrWndHost* host = ZrWndHost::Get()) {
        host->UnregisterIdleWindow(this);
    }
    Default();
}

// The picture, centred and cut to the client area, on its own commonest
// border colour; the outline of everything else becomes the window.
void CPromoWnd::ApplyShape()
{
    RECT client{};
    GetClientRect(&client);
    const int width = client.right;
    const int height = client.bottom;
    const int pictureWidth = std::min<int>(m_picture.Width(), width);
    const int pictureHeight = std::min<int>(m_picture.Height(), height);
    const RECT place{(width - pictureWidth) / 2, (height - pictureHeight) / 2,
                     (width - pictureWidth) / 2 + pictureWidth, (height - pictureHeight) / 2 + pictureHeight};
    HDC screen = ::GetDC(m_hWnd);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HRGN region = nullptr;
    if (bitmap && bits) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC* dc = CDC::FromHandle(memory);
        auto readPixels = [&] {
            ::GdiFlush();
            const auto* words = static_cast<const uint32_t*>(bits);
            return std::vector<uint32_t>(words, words + size_t(width) * height);
        };
        m_picture.Draw(dc, place);
        std::vector<uint32_t> pixels = readPixels();
        const uint32_t background = MostFrequentBorderColour(
            pixels, width, height, {place.left, place.top, place.right, place.bottom});
        const COLORREF backgroundColour = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
        HBRUSH brush = ::CreateSolidBrush(backgroundColour);
        ::FillRect(memory, &client, brush);
        m_picture.Draw(dc, place);
        ::FrameRect(memory, &client, brush);
        ::DeleteObject(brush);
        pixels = readPixels();
        std::vector<bool> mask(pixels.size());
        for (size_t i = 0; i < pixels.size(); ++i) mask[i] = (pixels[i] & 0xFFFFFF) != (background & 0xFFFFFF);
        const std::vector<PixelPoint> path = TraceOutline(mask, width, height);
        if (!path.empty()) {
            region = OutlineRegion(path);
        }
        ::SelectObject(memory, old);
    }
    if (bitmap) {
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(m_hWnd, screen);
    RECT box{};
    if (region && (::GetRgnBox(region, &box) == NULLREGION || box.right - box.left < kMinRegionSide ||
                   box.bottom - box.top < kMinRegionSide)) {
        ::DeleteObject(region);
        region = nullptr;
    }
    if (!region) {
        region = ::CreateRectRgn(0, 0, width, height);
    }
    HRGN kept = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(kept, region, nullptr, RGN_COPY);
    ::SetWindowRgn(m_hWnd, region, TRUE);
    if (m_region) {
        ::DeleteObject(m_region);
    }
    m_region = kept;
}
