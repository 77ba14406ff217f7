// CNameBubble: the small popup that shows a name (or any short text) under
// an avatar while the mouse rests on it. The first text after a dismissal
// waits a second before it shows; later texts show at once until the next
// dismissal.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "CWnd.h"

class CNameBubble : public CWnd {
public:
    static constexpr UINT_PTR kDelayTimer = 2010;
    static constexpr UINT kDelayMs = 1000;

    // Creates the hidden bubble owned by `owner`, its background in the
    // resource library's bubble colour.
    bool Create(CWnd* owner, COLORREF background);

    // Shows text with its top-left corner at (x, y), or centred on |x| for
    // a negative x; an empty text leaves the bubble hidden.
    void ShowText(int32_t x, int32_t y, const std::string& text, int32_t delay = -1);
    void StartTimer();
    void StopTimer();
    // Hides the bubble; the next text shows at once.
    void Hide();
    // Hides the bubble; the next text waits for the delay again.
    void Dismiss();

    bool IsShownFlagSet() const { return m_shown; }
    bool IsTimerRunning() const { return m_timerState == 1; }
    int32_t LastDelay() const { return m_delay; }
    // Height of one line of bubble text, frame allowance included.
    static int32_t LineHeight();

protected:
    void OnPaint();
    void OnTimer(UINT_PTR id);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static bool MakeSharedResources(COLORREF background);
    void FitToText();

    bool m_shown = false;
    int32_t m_timerState = -1;
    int32_t m_delay = -1;
};
