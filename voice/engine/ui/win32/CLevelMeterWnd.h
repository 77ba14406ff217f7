// The level meter: a row of round lamps, green, yellow and red, lit up to
// the level; horizontal (left to right) or vertical (bottom to top). A
// disabled meter shows every lamp black.
#pragma once

#include <windows.h>

#include <cstdint>

class CLevelMeterWnd
{
public:
    static constexpr char kClassName[] = "SonorelleLevelMeter";

    static void Register(HINSTANCE module);
    static void Unregister(HINSTANCE module);

    CLevelMeterWnd() = default;
    ~CLevelMeterWnd();
    CLevelMeterWnd(const CLevelMeterWnd&) = delete;
    CLevelMeterWnd& operator=(const CLevelMeterWnd&) = delete;

    bool Create(HWND parent, int id, bool horizontal);
    HWND Window() const { return m_window; }

    // A new level is drawn at once, unless disabled or suppressed.
    void SetLevel(int32_t level);
    int32_t Level() const { return m_level; }
    int32_t LitCount() const;
    int32_t LampCount() const { return m_lamps; }
    void SetDisabled(bool disabled);
    void SetSuppressed(bool suppressed) { m_suppressed = suppressed; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    HWND m_window = nullptr;
    bool m_horizontal = true;
    bool m_disabled = false;
    bool m_suppressed = false;
    int32_t m_lamps = 12;
    int32_t m_level = 12;
};
