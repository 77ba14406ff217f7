// CZoomRectEffect: an outline rectangle that travels over the screen from a
// start rectangle to an end rectangle, the way a window zooms open or shut.
// It is drawn by inversion on the display, clipped to the part of the main
// window that no other window covers, one step a timer tick. While it runs
// the desktop's updates are locked, the main window has the mouse and the
// process runs at high priority. An effect started without notification is
// a temporary object that deletes itself after its last step.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>

#include "ZoomSteps.h"

class CZoomRectEffect {
public:
    static constexpr int kDefaultSpeed = 60;
    static constexpr int kSmallScreenSpeed = 30;
    static constexpr int kSmallScreenHeight = 500;
    static constexpr UINT_PTR kTimerId = 100;
    // PrepareBetween's answers.
    static constexpr int kPrepared = 0;
    static constexpr int kExplicitPending = 2;

    // mainWindow: the window the outline shows over and that captures the
    // mouse; finished: run after the last step of a notifying effect.
    explicit CZoomRectEffect(HWND mainWindow, std::function<void()> finished = {});
    ~CZoomRectEffect();
    CZoomRectEffect(const CZoomRectEffect&) = delete;
    CZoomRectEffect& operator=(const CZoomRectEffect&) = delete;

    // sizeSign: +1 grows, -1 shrinks; speed 0 keeps the current one.
    // explicitSetup keeps PrepareBetween from preparing another effect
    // until this one has stopped.
    void Setup(const RECT& start, const RECT& end, int sizeSign, int speed, bool explicitSetup);
    // From the indicator to the avatar (towards) or back, repainting the
    // page under the avatar at once; kExplicitPending while an explicitly
    // set-up effect exists.
    int PrepareBetween(const RECT& avatar, const RECT& indicator, bool towardsAvatar, HWND page,
                       HWND peopleWindow = nullptr);
    // false unless prepared and not running, or when the timer cannot start.
    bool Start(bool notify);
    void Stop();
    void Reset();

    bool IsPrepared() const { return m_prepared; }
    bool IsRunning() const { return m_running; }
    // The outline drawn last and still on the screen, if any.
    std::optional<RECT> CurrentOutline() const { return m_shown; }
    static CZoomRectEffect* Running() { return s_running; }
    static int LiveCount() { return s_live; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Tick();
    void DrawOutline(HDC display, const RECT& rect) const;
    HRGN BuildClipRegion() const;
    void Prepare(const RECT& start, const RECT& end, int sizeSign, int xSign, int ySign);

    HWND m_main;
    std::function<void()> m_finished;
    HWND m_peopleWindow = nullptr;
    CZoomSteps m_steps;
    std::optional<RECT> m_shown;
    HRGN m_clip = nullptr;
    int m_speed;
    int m_step = 0;
    UINT_PTR m_timer = 0;
    bool m_prepared = false;
    bool m_running = false;
    bool m_notify = false;
    DWORD m_priority = NORMAL_PRIORITY_CLASS;

    static CZoomRectEffect* s_running;
    static bool s_explicit;
    static int s_live;
};
