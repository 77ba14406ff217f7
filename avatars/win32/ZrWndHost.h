// What the avatar windows need of the application core: the participation
// indicator, the main window with its name bubble, the page window, the
// resource library's colours and the list of windows redrawn when the
// palette changes. The application installs one host at start-up.
#pragma once
#include <windows.h>

#include <cstdint>

class CNameBubble;
class CWnd;

class ZrWndHost {
public:
    // Indicator states in which avatar windows take drags and menus.
    static constexpr int32_t kParticipating = 1;
    static constexpr int32_t kObserving = 2;

    static ZrWndHost* Get();
    static void Set(ZrWndHost* host);

    virtual ~ZrWndHost() = default;

    virtual int32_t GetIndicatorState() const = 0;
    virtual CWnd* GetMainWnd() const = 0;
    // The main window's name bubble; null before it exists.
    virtual CNameBubble* GetNameBubble() const = 0;
    // The window of the current page that the avatars lie on; may be null.
    virtual CWnd* GetPageWnd() const = 0;
    // True while the local user sits in a group that is not a game, so that
    // dragging the own avatar drags the whole group.
    virtual bool IsMyselfInPlainGroup() const = 0;
    // Colour `index` of the resource library.
    virtual COLORREF GetColor(uint32_t index) const = 0;
    virtual void RegisterIdleWindow(CWnd* wnd) = 0;
    virtual void UnregisterIdleWindow(CWnd* wnd) = 0;
    // The process priority class, raised while a drag runs.
    virtual void SetPriorityClass(DWORD priorityClass);

    bool AllowsDragAndMenu() const;
};
