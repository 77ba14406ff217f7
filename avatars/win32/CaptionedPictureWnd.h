// CCaptionedPictureWnd: a small child window that shows a picture with up
// to two lines of text under it, on white or on the resource library's
// label colour; the texts show white on blue while the window is
// highlighted.
#pragma once
#include <windows.h>

#include <string>

#include "Picture.h"
#include "ZrWnd.h"

class CCaptionedPictureWnd : public CZrWnd {
public:
    static constexpr COLORREF kHighlightBack = 0xFF0000;
    static constexpr uint32_t kLabelColourIndex = 0;

    // 0 x 0 takes the picture's size.
    CCaptionedPictureWnd(int width = 0, int height = 0);

    bool Create(CWnd* parent, int x, int y, const CPicture& picture, bool white, const std::string& first,
                const std::string& second);
    // Loads the picture from a file and repaints; false when it does not load.
    bool SetPictureFile(const std::string& path);
    void SetPicture(const CPicture& picture);
    // A new text for the first line, in the line's place.
    void SetFirstLine(const std::string& text);
    virtual void DrawCaptions(CDC* dc);

    int PictureWidth() const { return m_width; }
    int PictureHeight() const { return m_height; }
    const RECT& FirstLine() const { return m_firstLine; }
    const RECT& SecondLine() const { return m_secondLine; }

    CPicture* GetPicture() override { return &m_picture; }
    void DrawPicture(CDC* dc, const RECT& rect) override;
    void DrawDecoration(CDC* dc, const RECT& rect) override { DrawCaptions(dc); }

private:
    CPicture m_picture;
    int m_width;
    int m_height;
    std::string m_first;
    std::string m_second;
    int m_lineHeight = 0;
    RECT m_firstLine{};
    RECT m_secondLine{};
    bool m_white = false;
};
