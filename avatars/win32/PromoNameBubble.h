// CPromoNameBubble: the caption under a promotion picture. A tool-window
// popup owned by the main window, in a 10-point font on the resource
// library's bubble colour; it shows its text at once and hides when the
// application is switched away from.
#pragma once
#include <windows.h>

#include <string>

#include "CWnd.h"

class CPromoNameBubble : public CWnd {
public:
    static constexpr char kClassName[] = "ZR_PromoBubble";
    static constexpr int kPointSize = 10;

    ~CPromoNameBubble() override;
    bool Create(CWnd* owner, COLORREF background);
    // Shows text with its top-left corner at screen point (x, y), placed at
    // the top of the windows that are not topmost, without activation.
    void ShowText(int x, int y, const std::string& text);

protected:
    void OnPaint();
    LRESULT OnActivateApp(WPARAM active, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    HFONT m_font = nullptr;
    HBRUSH m_background = nullptr;
};
