// Avatar windows under a real window system: the paint hooks and the order
// of overlapping windows, the flash timer, dragging by posted mouse
// messages, the context menu and its commands, deletion from inside the
// window's own handlers and menu, and the name bubble following the mouse.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "AvatarWindowResources.h"
#include "CDC.h"
#include "DragTracker.h"
#include "MessageMap.h"
#include "NameBubble.h"
#include "ZrWnd.h"
#include "ZrWndHost.h"

namespace {

constexpr COLORREF kFlashColour = RGB(250, 220, 0);
constexpr COLORREF kBubbleColour = RGB(255, 255, 225);
constexpr COLORREF kOverlayColour = RGB(0, 0, 0);
constexpr COLORREF kDecorationColour = RGB(255, 255, 255);

void Pump(DWORD ms = 50) {
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms = 10000) {
    const DWORD end = ::GetTickCount() + ms;
    while (!done()) {
        if (static_cast<LONG>(::GetTickCount() - end) >= 0) {
            return false;
        }
        Pump(10);
    }
    return true;
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

// The pixel that shows at client point p of a window, child windows
// included.
COLORREF PixelIn(HWND window, POINT p) {
    HDC dc = ::GetDCEx(window, nullptr, DCX_CACHE);
    const COLORREF colour = ::GetPixel(dc, p.x, p.y);
    ::ReleaseDC(window, dc);
    return colour;
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

POINT ClientToScreenOf(HWND window, POINT p) {
    ::ClientToScreen(window, &p);
    return p;
}

// A function run once by a thread timer; the menu loop dispatches it while a
// context menu is open.
std::function<void()> g_timerAction;
UINT_PTR g_timer = 0;

void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    std::function<void()> action = std::move(g_timerAction);
    g_timerAction = nullptr;
    if (action) {
        action();
    }
}

void RunSoon(std::function<void()> action, UINT ms = 100) {
    g_timerAction = std::move(action);
    g_timer = ::SetTimer(nullptr, 0, ms, &RunTimerAction);
}

// Closes a context menu still open after a few seconds, so that a fault
// that leaves the menu up fails the test instead of hanging it.
class MenuGuard {
public:
    MenuGuard() : m_timer(::SetTimer(nullptr, 0, 8000, &EndAnyMenu)) {}
    ~MenuGuard() { ::KillTimer(nullptr, m_timer); }
    MenuGuard(const MenuGuard&) = delete;
    MenuGuard& operator=(const MenuGuard&) = delete;

private:
    static void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }
    UINT_PTR m_timer;
};

// Chooses the item at `index` of the open popup menu by keyboard.
void ChooseMenuItem(int index) {
    HWND menu = ::FindWindowA("#32768", nullptr);
    for (int i = 0; i <= index; ++i) {
        ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

class TestHost : public ZrWndHost {
public:
    int32_t indicator = kParticipating;
    CWnd* main = nullptr;
    CWnd* page = nullptr;
    CNameBubble* bubble = nullptr;
    bool myselfInGroup = false;
    std::vector<DWORD> priorities;
    std::vector<CWnd*> registered;

    int32_t GetIndicatorState() const override { return indicator; }
    CWnd* GetMainWnd() const override { return main; }
    CNameBubble* GetNameBubble() const override { return bubble; }
    CWnd* GetPageWnd() const override { return page; }
    bool IsMyselfInPlainGroup() const override { return myselfInGroup; }
    COLORREF GetColor(uint32_t index) const override {
        return index == CZrWnd::kFlashColourIndex ? kFlashColour : kBubbleColour;
    }
    void RegisterIdleWindow(CWnd* wnd) override { registered.push_back(wnd); }
    void UnregisterIdleWindow(CWnd* wnd) override {
        registered.erase(std::remove(registered.begin(), registered.end(), wnd), registered.end());
    }
    void SetPriorityClass(DWORD priorityClass) override {
        priorities.push_back(priorityClass);
        ZrWndHost::SetPriorityClass(priorityClass);
    }
};

struct ProbeLog {
    std::vector<std::string> events;
    std::set<CWnd*> live;
};

// An avatar window that paints a plain colour with a dark overlay square in
// the middle and a white decoration square at the top-left, and records
// every hook the base calls.
class ProbeWnd : public CZrWnd {
public:
    ProbeWnd(ProbeLog* log, std::string name, COLORREF colour)
        : m_log(log), m_name(std::move(name)), m_colour(colour) {
        m_log->live.insert(this);
    }
    ~ProbeWnd() override {
        m_log->live.erase(this);
        m_log->events.push_back("deleted " + m_name);
    }
    // A freed probe is overwritten at once, so that any later use of it
    // calls through a broken table and crashes the test.
    static void operator delete(void* p, size_t size) {
        std::memset(p, 0xDD, size);
        ::operator delete(p);
    }

    bool acceptDragOver = true;
    bool acceptDrop = true;
    int32_t dragKind = 0;
    std::vector<POINT> dragOvers;
    std::vector<POINT> drops;
    std::vector<bool> flashes;
    COLORREF flashColour = 0;
    POINT menuPoint{-1, -1};
    int menuItems = -1;
    bool deleteWhileBuildingMenu = false;

    void DrawPicture(CDC* dc, const RECT& rect) override {
        m_log->events.push_back("picture " + m_name);
        dc->FillSolidRect(rect, m_colour);
    }
    void DrawOverlay(CDC* dc, const RECT& rect) override {
        m_log->events.push_back("overlay " + m_name);
        const LONG cx = (rect.left + rect.right) / 2;
        const LONG cy = (rect.top + rect.bottom) / 2;
        dc->FillSolidRect(RECT{cx - 3, cy - 3, cx + 3, cy + 3}, kOverlayColour);
    }
    void DrawDecoration(CDC* dc, const RECT& rect) override {
        m_log->events.push_back("decoration " + m_name);
        dc->FillSolidRect(RECT{rect.left, rect.top, rect.left + 3, rect.top + 3}, kDecorationColour);
    }
    void DrawFlash(CDC* dc, const RECT& rect, bool on, COLORREF colour) override {
        flashes.push_back(on);
        flashColour = colour;
        if (on) {
            dc->FillSolidRect(rect, colour);
        } else {
            dc->FillSolidRect(rect, m_colour);
        }
    }
    bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override {
        dragOvers.push_back(POINT{x, y});
        *kind = dragKind;
        return acceptDragOver;
    }
    // An accepted drop moves the window's top-left corner to the point.
    bool OnDrop(int32_t x, int32_t y) override {
        drops.push_back(POINT{x, y});
        if (acceptDrop) {
            POINT at{x, y};
            ::ScreenToClient(::GetParent(m_hWnd), &at);
            SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return acceptDrop;
    }
    std::string GetBubbleText() override { return m_name; }
    void BuildContextMenu(HMENU popup, int32_t x, int32_t y) override {
        m_log->events.push_back("menu " + m_name);
        menuPoint = POINT{x, y};
        menuItems = ::GetMenuItemCount(popup);
        if (deleteWhileBuildingMenu) {
            SafeDelete();
        }
    }

protected:
    void OnAlpha() { m_log->events.push_back("alpha " + m_name); }
    void OnDeleteCommand() {
        m_log->events.push_back("delete command " + m_name);
        SafeDelete();
    }
    DECLARE_MESSAGE_MAP()

private:
    ProbeLog* m_log;
    std::string m_name;
    COLORREF m_colour;
};

BEGIN_MESSAGE_MAP(ProbeWnd, CZrWnd)
    ON_COMMAND(ID_PROBE_ALPHA, OnAlpha)
    ON_COMMAND(ID_PROBE_DELETE, OnDeleteCommand)
END_MESSAGE_MAP()

class AvatarWindowTest : public ::testing::Test {
protected:
    TestHost host;
    ProbeLog log;
    CWnd main;
    CWnd page;
    CNameBubble bubble;
    const char* windowClass = nullptr;

    void SetUp() override {
        ::SetCursorPos(1, 1);
        ZrWndHost::Set(&host);
        windowClass = CWnd::RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                             static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        ASSERT_TRUE(main.CreateEx(0, windowClass, "avatars",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                  RECT{100, 100, 620, 520}, nullptr, 0));
        ASSERT_TRUE(page.CreateEx(0, windowClass, "page", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  RECT{0, 0, 480, 360}, &main, 1));
        ASSERT_TRUE(bubble.Create(&main, kBubbleColour));
        host.main = &main;
        host.page = &page;
        host.bubble = &bubble;
        ::SetForegroundWindow(main.GetSafeHwnd());
        Pump();
    }
    void TearDown() override {
        while (!log.live.empty()) {
            delete *log.live.begin();
        }
        bubble.DestroyWindow();
        page.DestroyWindow();
        main.DestroyWindow();
        ZrWndHost::Set(nullptr);
        Pump();
    }
    ProbeWnd* MakeProbe(const std::string& name, COLORREF colour, RECT rect) {
        auto* probe = new ProbeWnd(&log, name, colour);
        EXPECT_TRUE(probe->CreateEx(0, windowClass, name.c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, &page, 0));
        probe->SetMenuId(IDM_PROBE_MENU);
        probe->SetDragEnabled(true);
        return probe;
    }
    std::vector<std::string> Events() const { return log.events; }
    bool HasEvent(const std::string& event) const {
        return std::find(log.events.begin(), log.events.end(), event) != log.events.end();
    }
    // After a drag the tracker holds no capture; the window may hold it for
    // the hover that the pointer over it (posted, or moved there by a drop)
    // has started.
    static void ExpectOnlyHoverCapture(ProbeWnd* probe) {
        EXPECT_FALSE(probe->GetDragTracker()->HasCapture());
        EXPECT_EQ(::GetCapture() == probe->GetSafeHwnd(), probe->HasHoverCapture());
    }
    static bool DesktopUpdatesUnlocked() {
        const bool locked = ::LockWindowUpdate(::GetDesktopWindow()) != FALSE;
        if (locked) {
            ::LockWindowUpdate(nullptr);
        }
        return locked;
    }
};

TEST_F(AvatarWindowTest, PaintRunsPictureOverlayDecorationAndLaterWindowsLieOnTop) {
    ProbeWnd* first = MakeProbe("first", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    ProbeWnd* second = MakeProbe("second", RGB(0, 0, 200), RECT{50, 40, 98, 104});
    Pump();
    log.events.clear();
    first->Invalidate();
    first->UpdateWindow();
    EXPECT_EQ(Events(), (std::vector<std::string>{"picture first", "overlay first", "decoration first"}));

    // Client 46 x 62 inside the border: overlay at the middle, decoration at
    // the corner, picture elsewhere.
    HWND firstWindow = first->GetSafeHwnd();
    EXPECT_EQ(PixelIn(firstWindow, POINT{23, 31}), kOverlayColour);
    EXPECT_EQ(PixelIn(firstWindow, POINT{1, 1}), kDecorationColour);
    EXPECT_EQ(PixelIn(firstWindow, POINT{10, 10}), RGB(200, 0, 0));
    // Where they overlap, the window made later shows, even after the
    // earlier one repaints.
    EXPECT_EQ(PixelIn(page.GetSafeHwnd(), POINT{60, 75}), RGB(0, 0, 200));
    EXPECT_EQ(PixelIn(page.GetSafeHwnd(), POINT{30, 30}), RGB(200, 0, 0));
    EXPECT_EQ(::GetWindow(page.GetSafeHwnd(), GW_CHILD), second->GetSafeHwnd());
}

TEST_F(AvatarWindowTest, RegistersForPaletteRedrawsWhileItLives) {
    ProbeWnd* probe = MakeProbe("p", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    EXPECT_EQ(host.registered, (std::vector<CWnd*>{probe}));
    delete probe;
    EXPECT_TRUE(host.registered.empty());
}

TEST_F(AvatarWindowTest, FlashDrawsLitAndUnlitStepsThenRepaintsOnce) {
    struct Case {
        int32_t count;
        std::vector<bool> steps;
    };
    const Case cases[] = {
        {0, {}},
        {1, {true}},
        {3, {true, false, true, false, true}},
    };
    for (const Case& c : cases) {
        ProbeWnd* probe = MakeProbe("flash", RGB(0, 150, 0), RECT{20, 20, 68, 84});
        Pump();
        const POINT inside{10, 10};
        // A period no test waits for: the ticks come from here only.
        probe->Flash(c.count, 600000);
        EXPECT_TRUE(probe->IsFlashing());
        for (size_t step = 0; step < c.steps.size(); ++step) {
            probe->SendMessage(WM_TIMER, CZrWnd::kFlashTimer);
            EXPECT_EQ(PixelIn(probe->GetSafeHwnd(), inside), c.steps[step] ? kFlashColour : RGB(0, 150, 0))
                << "count " << c.count << " step " << step;
        }
        EXPECT_TRUE(probe->IsFlashing()) << c.count;
        log.events.clear();
        probe->SendMessage(WM_TIMER, CZrWnd::kFlashTimer);
        EXPECT_EQ(probe->flashes, c.steps) << c.count;
        EXPECT_EQ(probe->flashColour, c.steps.empty() ? 0 : kFlashColour);
        EXPECT_FALSE(probe->IsFlashing()) << c.count;
        EXPECT_FALSE(::KillTimer(probe->GetSafeHwnd(), CZrWnd::kFlashTimer)) << c.count;
        EXPECT_TRUE(HasEvent("picture flash")) << c.count;
        EXPECT_EQ(PixelIn(probe->GetSafeHwnd(), inside), RGB(0, 150, 0));
        delete probe;
    }
}

TEST_F(AvatarWindowTest, FlashRunsOnItsOwnTimerToTheEnd) {
    ProbeWnd* probe = MakeProbe("flash", RGB(0, 150, 0), RECT{20, 20, 68, 84});
    probe->Flash(2, 20);
    ASSERT_TRUE(PumpUntil([&] { return !probe->IsFlashing(); }));
    EXPECT_EQ(probe->flashes, (std::vector<bool>{true, false, true}));

    // A new flash restarts the count.
    probe->Flash(1, 20);
    ASSERT_TRUE(PumpUntil([&] { return !probe->IsFlashing(); }));
    EXPECT_EQ(probe->flashes, (std::vector<bool>{true, false, true, true}));
}

TEST_F(AvatarWindowTest, DragByPostedMouseMessagesMovesTheWindow) {
    ProbeWnd* probe = MakeProbe("drag", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    probe->dragKind = 2;
    Pump();
    HWND window = probe->GetSafeHwnd();
    const RECT before = WindowRectOf(window);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{10, 12}));
    ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{12, 14}));
    Pump();
    EXPECT_TRUE(probe->GetDragTracker()->IsActive());
    EXPECT_EQ(::GetCapture(), window);
    EXPECT_TRUE(probe->dragOvers.empty());
    RECT outline{};
    EXPECT_FALSE(probe->GetDragTracker()->GetOutline(&outline));
    EXPECT_EQ(host.priorities, (std::vector<DWORD>{HIGH_PRIORITY_CLASS}));

    ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{70, 52}));
    Pump();
    const POINT over = ClientToScreenOf(window, POINT{70, 52});
    ASSERT_EQ(probe->dragOvers.size(), 1u);
    EXPECT_EQ(probe->dragOvers[0].x, over.x);
    EXPECT_EQ(probe->dragOvers[0].y, over.y);
    ASSERT_TRUE(probe->GetDragTracker()->GetOutline(&outline));
    EXPECT_EQ(outline.left, over.x);
    EXPECT_EQ(outline.top, over.y);
    EXPECT_EQ(outline.right - outline.left, before.right - before.left);
    EXPECT_EQ(outline.bottom - outline.top, before.bottom - before.top);

    ::PostMessageA(window, WM_LBUTTONUP, 0, At(POINT{70, 52}));
    Pump();
    ASSERT_EQ(probe->drops.size(), 1u);
    EXPECT_EQ(probe->drops[0].x, over.x);
    EXPECT_EQ(probe->drops[0].y, over.y);
    const RECT after = WindowRectOf(window);
    EXPECT_EQ(after.left, over.x);
    EXPECT_EQ(after.top, over.y);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, over.x + 10);
    EXPECT_EQ(cursor.y, over.y + 12);
    EXPECT_FALSE(probe->GetDragTracker()->IsActive());
    EXPECT_FALSE(probe->GetDragTracker()->GetOutline(&outline));
    ExpectOnlyHoverCapture(probe);
    EXPECT_EQ(host.priorities, (std::vector<DWORD>{HIGH_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS}));
    EXPECT_TRUE(DesktopUpdatesUnlocked());
}

TEST_F(AvatarWindowTest, DragEndsWithoutMovingUnlessLeftThresholdAndAccepted) {
    struct Case {
        const char* name;
        int32_t indicator;
        bool dragEnabled;
        POINT release;
        bool acceptDragOver;
        bool acceptDrop;
        size_t dragOvers;  // the move and the release each ask once
        size_t drops;
        bool moved;
    };
    const Case cases[] = {
        {"observing drop", ZrWndHost::kObserving, true, {60, 50}, true, true, 2, 1, true},
        {"plain click", ZrWndHost::kParticipating, true, {11, 11}, true, true, 0, 0, false},
        {"refused over", ZrWndHost::kParticipating, true, {60, 50}, false, true, 2, 0, false},
        {"refused drop", ZrWndHost::kParticipating, true, {60, 50}, true, false, 2, 1, false},
        {"waiting", 0, true, {60, 50}, true, true, 0, 0, false},
        {"disconnected", 3, true, {60, 50}, true, true, 0, 0, false},
        {"drag off", ZrWndHost::kParticipating, false, {60, 50}, true, true, 0, 0, false},
    };
    for (const Case& c : cases) {
        host.indicator = c.indicator;
        host.priorities.clear();
        ProbeWnd* probe = MakeProbe("drag", RGB(200, 0, 0), RECT{20, 20, 68, 84});
        probe->SetDragEnabled(c.dragEnabled);
        probe->acceptDragOver = c.acceptDragOver;
        probe->acceptDrop = c.acceptDrop;
        HWND window = probe->GetSafeHwnd();
        const RECT before = WindowRectOf(window);
        ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{10, 10}));
        ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(c.release));
        ::PostMessageA(window, WM_LBUTTONUP, 0, At(c.release));
        Pump();
        EXPECT_EQ(probe->dragOvers.size(), c.dragOvers) << c.name;
        EXPECT_EQ(probe->drops.size(), c.drops) << c.name;
        EXPECT_EQ(WindowRectOf(window).left != before.left, c.moved) << c.name;
        EXPECT_FALSE(probe->GetDragTracker()->IsActive()) << c.name;
        ExpectOnlyHoverCapture(probe);
        EXPECT_TRUE(DesktopUpdatesUnlocked()) << c.name;
        if (!host.priorities.empty()) {
            EXPECT_EQ(host.priorities.back(), static_cast<DWORD>(NORMAL_PRIORITY_CLASS)) << c.name;
        }
        delete probe;
    }
}

TEST_F(AvatarWindowTest, CaptureTakenByAnotherWindowCancelsTheDrag) {
    ProbeWnd* probe = MakeProbe("drag", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    HWND window = probe->GetSafeHwnd();
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{10, 10}));
    ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{60, 50}));
    Pump();
    RECT outline{};
    ASSERT_TRUE(probe->GetDragTracker()->GetOutline(&outline));
    EXPECT_FALSE(DesktopUpdatesUnlocked());

    ::SetCapture(main.GetSafeHwnd());
    EXPECT_FALSE(probe->GetDragTracker()->IsActive());
    EXPECT_FALSE(probe->GetDragTracker()->GetOutline(&outline));
    EXPECT_EQ(host.priorities, (std::vector<DWORD>{HIGH_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS}));
    EXPECT_TRUE(DesktopUpdatesUnlocked());
    ::ReleaseCapture();

    // The release that follows is no drop.
    ::PostMessageA(window, WM_LBUTTONUP, 0, At(POINT{60, 50}));
    Pump();
    EXPECT_TRUE(probe->drops.empty());
}

TEST_F(AvatarWindowTest, OwnAvatarInAPlainGroupDragsTheGroupOutline) {
    class MyselfProbe : public ProbeWnd {
    public:
        using ProbeWnd::ProbeWnd;
        bool IsMyselfWnd() const override { return true; }
    };
    CWnd group;
    ASSERT_TRUE(group.CreateEx(0, windowClass, "group", WS_CHILD | WS_VISIBLE, RECT{100, 100, 200, 166},
                               &page, 0));
    for (bool inGroup : {false, true}) {
        host.myselfInGroup = inGroup;
        auto* probe = new MyselfProbe(&log, "me", RGB(0, 0, 200));
        ASSERT_TRUE(probe->CreateEx(0, windowClass, "me", WS_CHILD | WS_VISIBLE, RECT{1, 1, 49, 65},
                                    &group, 0));
        probe->SetDragEnabled(true);
        HWND window = probe->GetSafeHwnd();
        ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{10, 10}));
        ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{40, 40}));
        Pump();
        RECT outline{};
        ASSERT_TRUE(probe->GetDragTracker()->GetOutline(&outline));
        const RECT dragged = WindowRectOf(inGroup ? group.GetSafeHwnd() : window);
        EXPECT_EQ(outline.right - outline.left, dragged.right - dragged.left) << inGroup;
        EXPECT_EQ(outline.bottom - outline.top, dragged.bottom - dragged.top) << inGroup;
        probe->GetDragTracker()->Cancel();
        delete probe;
    }
    group.DestroyWindow();
}

TEST_F(AvatarWindowTest, ContextMenuCommandReachesTheWindow) {
    MenuGuard guard;
    ProbeWnd* probe = MakeProbe("menu", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    HWND window = probe->GetSafeHwnd();
    HMENU seenOpen = nullptr;
    RunSoon([&] {
        seenOpen = probe->GetOpenPopup();
        ChooseMenuItem(0);
    });
    ::PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{5, 7}));
    ASSERT_TRUE(PumpUntil([&] { return HasEvent("alpha menu"); }));
    EXPECT_NE(seenOpen, nullptr);
    EXPECT_EQ(probe->GetOpenPopup(), nullptr);
    EXPECT_EQ(probe->menuItems, 2);
    const RECT frame = WindowRectOf(window);
    EXPECT_EQ(probe->menuPoint.x, frame.left + 5);
    EXPECT_EQ(probe->menuPoint.y, frame.top + 7);
    EXPECT_TRUE(::IsWindow(window));
}

TEST_F(AvatarWindowTest, NoContextMenuWhenTheStateForbidsIt) {
    struct Case {
        const char* name;
        int32_t indicator;
        uint16_t menuId;
        bool dragging;
    };
    const Case cases[] = {
        {"no menu id", ZrWndHost::kParticipating, 0, false},
        {"waiting", 0, IDM_PROBE_MENU, false},
        {"disconnected", 3, IDM_PROBE_MENU, false},
        {"while dragging", ZrWndHost::kParticipating, IDM_PROBE_MENU, true},
    };
    for (const Case& c : cases) {
        host.indicator = c.indicator;
        ProbeWnd* probe = MakeProbe("quiet", RGB(200, 0, 0), RECT{20, 20, 68, 84});
        probe->SetMenuId(c.menuId);
        if (c.dragging) {
            probe->GetDragTracker()->Start(10, 10);
        }
        // Closes a menu that should not have opened, so the test goes on.
        bool menuWasOpen = false;
        RunSoon([&] {
            menuWasOpen = ::FindWindowA("#32768", nullptr) != nullptr &&
                          ::IsWindowVisible(::FindWindowA("#32768", nullptr));
            ::EndMenu();
        });
        ::PostMessageA(probe->GetSafeHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{5, 7}));
        ASSERT_TRUE(PumpUntil([&] { return g_timer == 0; }));
        EXPECT_FALSE(menuWasOpen) << c.name;
        EXPECT_FALSE(HasEvent("menu quiet")) << c.name;
        probe->GetDragTracker()->Cancel();
        delete probe;
    }
}

TEST_F(AvatarWindowTest, WindowDeletesItselfInItsOwnCommandHandler) {
    MenuGuard guard;
    ProbeWnd* probe = MakeProbe("gone", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    HWND window = probe->GetSafeHwnd();
    RunSoon([] { ChooseMenuItem(1); });
    ::PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{5, 7}));
    ASSERT_TRUE(PumpUntil([&] { return HasEvent("deleted gone"); }));
    EXPECT_TRUE(HasEvent("delete command gone"));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(log.live.empty());
    // Later messages to the old handle reach nothing.
    ::PostMessageA(window, WM_MOUSEMOVE, 0, At(POINT{3, 3}));
    Pump();
}

TEST_F(AvatarWindowTest, DeleteDuringOpenMenuWaitsForTheMenuAndOutlivesThePage) {
    MenuGuard guard;
    ProbeWnd* probe = MakeProbe("parked", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    HWND window = probe->GetSafeHwnd();
    struct Seen {
        bool ran = false;
        bool pending = false;
        bool alive = false;
        HWND parent = nullptr;
        bool bubbleAfterMove = true;
        bool dragAfterPress = true;
    } seen;
    RunSoon([&] {
        seen.ran = true;
        probe->SafeDelete();
        seen.pending = probe->IsDeletePending();
        page.DestroyWindow();
        seen.alive = ::IsWindow(window) && log.live.count(probe) == 1;
        seen.parent = ::GetParent(window);
        // Input meanwhile is ignored.
        ::SendMessageA(window, WM_MOUSEMOVE, 0, At(POINT{3, 3}));
        seen.bubbleAfterMove = probe->IsBubbleShown();
        ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{3, 3}));
        seen.dragAfterPress = probe->GetDragTracker()->IsActive();
    });
    ::PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{5, 7}));
    ASSERT_TRUE(PumpUntil([&] { return HasEvent("deleted parked"); }));
    EXPECT_TRUE(seen.ran);
    EXPECT_TRUE(seen.pending);
    EXPECT_TRUE(seen.alive);
    EXPECT_EQ(seen.parent, main.GetSafeHwnd());
    EXPECT_FALSE(seen.bubbleAfterMove);
    EXPECT_FALSE(seen.dragAfterPress);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(::FindWindowA("#32768", nullptr) && ::IsWindowVisible(::FindWindowA("#32768", nullptr)),
              false);
}

TEST_F(AvatarWindowTest, DeleteWhileTheMenuIsBuiltShowsNoMenuAndDeletesOnReturn) {
    MenuGuard guard;
    ProbeWnd* probe = MakeProbe("early", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    probe->deleteWhileBuildingMenu = true;
    HWND window = probe->GetSafeHwnd();
    bool menuWasOpen = false;
    RunSoon([&] {
        HWND menu = ::FindWindowA("#32768", nullptr);
        menuWasOpen = menu && ::IsWindowVisible(menu);
        ::EndMenu();
    });
    ::SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{5, 7}));
    EXPECT_TRUE(HasEvent("deleted early"));
    EXPECT_FALSE(::IsWindow(window));
    ASSERT_TRUE(PumpUntil([&] { return g_timer == 0; }));
    EXPECT_FALSE(menuWasOpen);
}

TEST_F(AvatarWindowTest, SafeDeleteOfADestroyedWindowDeletesTheObject) {
    ProbeWnd* probe = MakeProbe("stale", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    ::DestroyWindow(probe->GetSafeHwnd());
    probe->SafeDelete();
    EXPECT_TRUE(HasEvent("deleted stale"));
    EXPECT_TRUE(log.live.empty());
}

TEST_F(AvatarWindowTest, NameBubbleFollowsTheMouseAndHidesWhenItLeaves) {
    ProbeWnd* ann = MakeProbe("Ann", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    ProbeWnd* bob = MakeProbe("Bob", RGB(0, 0, 200), RECT{120, 20, 168, 84});
    Pump();
    HWND bubbleWindow = bubble.GetSafeHwnd();

    ::PostMessageA(ann->GetSafeHwnd(), WM_MOUSEMOVE, 0, At(POINT{10, 10}));
    Pump();
    EXPECT_TRUE(ann->IsBubbleShown());
    EXPECT_EQ(::GetCapture(), ann->GetSafeHwnd());
    EXPECT_EQ(bubble.GetWindowText(), "Ann");
    EXPECT_TRUE(bubble.IsTimerRunning());
    EXPECT_FALSE(::IsWindowVisible(bubbleWindow));
    const RECT annFrame = WindowRectOf(ann->GetSafeHwnd());
    RECT at = WindowRectOf(bubbleWindow);
    EXPECT_EQ(at.left, annFrame.left);
    EXPECT_EQ(at.top, annFrame.bottom);
    EXPECT_EQ(ann->GetBubblePosition().x, annFrame.left);
    EXPECT_EQ(ann->GetBubblePosition().y, annFrame.bottom);

    bubble.SendMessage(WM_TIMER, CNameBubble::kDelayTimer);
    EXPECT_TRUE(::IsWindowVisible(bubbleWindow));
    EXPECT_NE(::GetActiveWindow(), bubbleWindow);
    EXPECT_NE(::GetForegroundWindow(), bubbleWindow);
    // A release while the bubble shows is no drag end.
    ::SendMessageA(ann->GetSafeHwnd(), WM_LBUTTONUP, 0, At(POINT{10, 10}));
    EXPECT_TRUE(ann->IsBubbleShown());

    // The pointer moves on over Bob: Ann (holding the capture) lets go.
    const POINT overBob = ClientToScreenOf(bob->GetSafeHwnd(), POINT{10, 10});
    POINT inAnn = overBob;
    ::ScreenToClient(ann->GetSafeHwnd(), &inAnn);
    ::PostMessageA(ann->GetSafeHwnd(), WM_MOUSEMOVE, 0, At(inAnn));
    Pump();
    EXPECT_FALSE(ann->IsBubbleShown());
    EXPECT_FALSE(ann->HasHoverCapture());
    EXPECT_NE(::GetCapture(), ann->GetSafeHwnd());
    EXPECT_FALSE(::IsWindowVisible(bubbleWindow));
    EXPECT_FALSE(bubble.IsShownFlagSet());

    ::PostMessageA(bob->GetSafeHwnd(), WM_MOUSEMOVE, 0, At(POINT{10, 10}));
    Pump();
    EXPECT_EQ(bubble.GetWindowText(), "Bob");
    at = WindowRectOf(bubbleWindow);
    const RECT bobFrame = WindowRectOf(bob->GetSafeHwnd());
    EXPECT_EQ(at.left, bobFrame.left);
    EXPECT_EQ(at.top, bobFrame.bottom);
    // Dismissed in between, so the delay runs again.
    EXPECT_FALSE(::IsWindowVisible(bubbleWindow));
    EXPECT_TRUE(bubble.IsTimerRunning());

    // A press ends the hover at once.
    ::SendMessageA(bob->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{10, 10}));
    EXPECT_FALSE(bob->IsBubbleShown());
    EXPECT_FALSE(bubble.IsTimerRunning());
    ::SendMessageA(bob->GetSafeHwnd(), WM_LBUTTONUP, 0, At(POINT{10, 10}));
}

TEST_F(AvatarWindowTest, DeletingTheHoveredWindowHidesTheBubble) {
    ProbeWnd* ann = MakeProbe("Ann", RGB(200, 0, 0), RECT{20, 20, 68, 84});
    ::SendMessageA(ann->GetSafeHwnd(), WM_MOUSEMOVE, 0, At(POINT{10, 10}));
    bubble.SendMessage(WM_TIMER, CNameBubble::kDelayTimer);
    ASSERT_TRUE(::IsWindowVisible(bubble.GetSafeHwnd()));
    ann->SafeDelete();
    EXPECT_FALSE(::IsWindowVisible(bubble.GetSafeHwnd()));
    EXPECT_EQ(::GetCapture(), nullptr);
}

}  // namespace
