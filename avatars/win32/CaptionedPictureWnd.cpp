#include "CaptionedPictureWnd.h"

#include <algorithm>

#include "CDC.h"
#include "ZrWndHost.h"

namespace {

constexpr UINT kClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

const char* WhiteClass()
{
    static const char* name = CWnd::RegisterWndClass(kClassStyle, ::LoadCursor(nullptr, IDC_ARROW),
                                                     static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return name;
}

const char* GreyClass()
{
    static const char* name = CWnd::RegisterWndClass(kClassStyle | CS_PARENTDC, ::LoadCursor(nullptr, IDC_ARROW),
                                                     static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    return name;
}

SIZE TextSize(const std::string& text)
{
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(ANSI_VAR_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return size;
}

}  // namespace

CCaptionedPictureWnd::CCaptionedPictureWnd(int width, int height) : m_width(width), m_height(height) {}

bool CCaptionedPictureWnd::Create(CWnd* parent, int x, int y, const CPicture& picture, bool white,
                                  const std::string& first, const std::string& second)
{
    m_first = first;
    m_second = second;
    m_picture = picture;
    m_white = white;
    if (m_width == 0 && m_height == 0) {
        m_width = m_picture.Width();
        m_height = m_picture.Height();
    }
    const SIZE firstSize = TextSize(first);
    const SIZE secondSize = TextSize(second);
    m_lineHeight = firstSize.cy;
    const int width = std::max({m_width, static_cast<int>(firstSize.cx), static_cast<int>(secondSize.cx)});
    const int height = m_height + firstSize.cy + secondSize.cy;
    m_firstLine = {0, m_height, width, m_height + m_lineHeight};
    m_secondLine = {0, m_height + m_lineHeight, width, m_height + 2 * m_lineHeight};
    const char* className = white ? WhiteClass() : GreyClass();
    return className && parent &&
           CreateEx(0, className, "", WS_CHILD | WS_VISIBLE, RECT{x, y, x + width, y + height}, parent, 0);
}

bool CCaptionedPictureWnd::SetPictureFile(const std::string& path)
{
    CPicture loaded;
    if (!loaded.LoadFile(path)) {
        return false;
    }
    SetPicture(loaded);
    return true;
}

void CCaptionedPictureWnd::SetPicture(const CPicture& picture)
{
    m_picture = picture;
    if (m_hWnd) {
        Invalidate();
    }
}

void CCaptionedPictureWnd::SetFirstLine(const std::string& text)
{
    m_first = text;
    if (m_hWnd) {
        Invalidate();
    }
}

void CCaptionedPictureWnd::DrawPicture(CDC* dc, const RECT&)
{
    m_picture.Draw(dc, RECT{0, 0, m_width, m_height});
}

void CCaptionedPictureWnd::DrawCaptions(CDC* dc)
{
    if (m_first.empty()) {
        return;
    }
    HDC hdc = dc->GetSafeHdc();
    COLORREF back = RGB(255, 255, 255);
    COLORREF text = RGB(0, 0, 0);
    if (IsHighlighted()) {
        back = kHighlightBack;
        text = RGB(255, 255, 255);
    } else if (!m_white) {
        ZrWndHost* host = ZrWndHost::Get();
        back = host ? host->GetColor(kLabelColourIndex) : ::GetSysColor(COLOR_BTNFACE);
    }
    HGDIOBJ old = ::SelectObject(hdc, ::GetStockObject(ANSI_VAR_FONT));
    ::SetBkColor(hdc, back);
    ::SetTextColor(hdc, text);
    ::ExtTextOutA(hdc, m_firstLine.left, m_firstLine.top, ETO_CLIPPED | ETO_OPAQUE, &m_firstLine, m_first.c_str(),
                  static_cast<UINT>(m_first.size()), nullptr);
    if (!m_second.empty()) {
        ::ExtTextOutA(hdc, m_secondLine.left, m_secondLine.top, ETO_CLIPPED | ETO_OPAQUE, &m_secondLine,
                      m_second.c_str(), static_cast<UINT>(m_second.size()), nullptr);
    }
    ::SelectObject(hdc, old);
}
