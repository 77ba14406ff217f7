// The stand-in for the other browser's OLE document server in the browser
// view's tests. COM starts it from the class's LocalServer32 command line:
//
//   navigator_peer --log FILE [--refuse-while FILE] [--end-with-items] -Embedding
//   navigator_peer --settle
//
// It serves items of the browser's class until it is ended. Each item, when
// shown, takes the container's window in place and makes its item window
// there: a page child, a tool bar ("ToolbarWindow32") and a status bar
// ("msctls_statusbar32", with the horizontal scroll style that asks the
// container for room for a scroll bar), both at the item window's client
// origin.
// --refuse-while makes the class refuse items while that file exists (the
// process stays the same: under Wine, a client cannot start a server again
// once its running one has ended). --end-with-items ends the process (exit
// code 5, its class revoked) when its last item goes. --settle plays a
// client instead: under Wine, a server that was ended stays registered for
// a while, during which no client can start it again (the one that ended
// it never can); this asks for an item until a new server makes one (exit
// code 0; 1 after a minute). One log line per event:
//
//   started PID          item shown PARENT-HWND ITEM-HWND    item closed
//   command N            (WM_COMMAND N reached the item window)
//   changed              (the container was told of a changed view)
//   refused              (an item was asked for and refused)
//
// Posting kChangeMessage to an item window makes the item tell its
// container that its view changed.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const CLSID kItemClass = {0x61D8DE20, 0xCA9A, 0x11CE, {0x9E, 0xA5, 0x00, 0x80, 0xC8, 0x2B, 0xE3, 0xB6}};
constexpr UINT kChangeMessage = WM_APP + 77;
constexpr char kItemWindowClass[] = "NavigatorPeerItem";
constexpr int kBarHeight = 24;

FILE* g_log = nullptr;
std::string g_refuseWhile;
bool g_endWithItems = false;
bool g_hadItems = false;
LONG g_objects = 0;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
  if (!g_log) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(g_log, format, args);
  va_end(args);
  std::fputc('\n', g_log);
  std::fflush(g_log);
}

unsigned long long HandleNumber(HWND window) { return reinterpret_cast<uintptr_t>(window); }

// One shown document: the item window inside the container's window.
class PeerItem final : public IOleObject, public IOleInPlaceObject {
 public:
  PeerItem() {
    ::InterlockedIncrement(&g_objects);
    g_hadItems = true;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IOleObject)
      *out = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
      *out = static_cast<IOleInPlaceObject*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&m_references); }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = ::InterlockedDecrement(&m_references);
    if (left == 0) {
      Drop();
      ::InterlockedDecrement(&g_objects);
      delete this;
    }
    return left;
  }

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override {
    if (m_site) m_site->Release();
    m_site = site;
    if (m_site) m_site->AddRef();
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** site) override {
    *site = m_site;
    if (m_site) m_site->AddRef();
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override {
    Log("item closed");
    Drop();
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject** data) override {
    *data = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT) override {
    if (verb != OLEIVERB_SHOW) return OLEOBJ_S_INVALIDVERB;
    if (!m_window && !ActivateInPlace(site ? site : m_site, parent)) return E_FAIL;
    ::ShowWindow(m_window, SW_SHOW);
    return S_OK;
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override {
    *verbs = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* id) override {
    *id = kItemClass;
    return S_OK;
  }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR* type) override {
    *type = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
  STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
    size->cx = size->cy = 0;
    return S_OK;
  }
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override {
    if (m_sink) m_sink->Release();
    m_sink = sink;
    m_sink->AddRef();
    *connection = 1;
    return S_OK;
  }
  STDMETHODIMP Unadvise(DWORD) override {
    if (m_sink) m_sink->Release();
    m_sink = nullptr;
    return S_OK;
  }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override {
    *advises = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
    *status = 0;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow / IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = m_window;
    return m_window ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override {
    if (m_window)
      ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    return S_OK;
  }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // Tells the container that the view changed; an asynchronous call.
  void ReportChange() {
    if (!m_sink) return;
    m_sink->OnViewChange(DVASPECT_CONTENT, -1);
    Log("changed");
  }

 private:
  ~PeerItem() = default;

  bool ActivateInPlace(IOleClientSite* site, HWND parent) {
    RECT position{0, 0, 300, 200};
    IOleInPlaceSite* inPlace = nullptr;
    if (site && SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)))) {
      HWND siteWindow = nullptr;
      if (inPlace->CanInPlaceActivate() == S_OK && SUCCEEDED(inPlace->GetWindow(&siteWindow))) {
        inPlace->OnInPlaceActivate();
        parent = siteWindow;
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        if (SUCCEEDED(inPlace->GetWindowContext(&frame, &document, &position, &clip, &info))) {
          if (frame) frame->Release();
          if (document) document->Release();
        }
      }
      inPlace->Release();
    }
    if (!parent) return false;
    m_window = ::CreateWindowExA(0, kItemWindowClass, "Navigator", WS_CHILD | WS_CLIPCHILDREN, position.left,
                                 position.top, position.right - position.left, position.bottom - position.top,
                                 parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!m_window) return false;
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MakeChildren();
    Log("item shown %llu %llu", HandleNumber(parent), HandleNumber(m_window));
    return true;
  }

  // The page first, then the bars at the client origin.
  void MakeChildren() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ::CreateWindowExA(0, "STATIC", "page", WS_CHILD | WS_VISIBLE, 0, kBarHeight, 200, 100, m_window, nullptr,
                      instance, nullptr);
    ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                      200, kBarHeight, m_window, nullptr, instance, nullptr);
    ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | CCS_NORESIZE | CCS_NOPARENTALIGN,
                      0, 0, 200, kBarHeight, m_window, nullptr, instance, nullptr);
  }

  void Drop() {
    if (m_window) {
      ::SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
      ::DestroyWindow(m_window);
      m_window = nullptr;
    }
    if (m_sink) m_sink->Release();
    m_sink = nullptr;
    if (m_site) m_site->Release();
    m_site = nullptr;
  }

  LONG m_references = 1;
  IOleClientSite* m_site = nullptr;
  IAdviseSink* m_sink = nullptr;
  HWND m_window = nullptr;
};

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* item = reinterpret_cast<PeerItem*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_COMMAND) {
    Log("command %u", static_cast<unsigned>(LOWORD(wParam)));
    return 0;
  }
  if (message == kChangeMessage && item) {
    item->ReportChange();
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

class PeerFactory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!g_refuseWhile.empty() && ::GetFileAttributesA(g_refuseWhile.c_str()) != INVALID_FILE_ATTRIBUTES) {
      Log("refused");
      return E_OUTOFMEMORY;
    }
    PeerItem* item = new PeerItem;
    const HRESULT result = item->QueryInterface(iid, out);
    item->Release();
    return result;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

void RegisterItemWindowClass() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ItemWindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kItemWindowClass;
  ::RegisterClassA(&windowClass);
}

void ReadArguments(int count, char** arguments) {
  for (int i = 1; i < count; ++i) {
    if (std::strcmp(arguments[i], "--log") == 0 && i + 1 < count)
      g_log = std::fopen(arguments[++i], "a");
    else if (std::strcmp(arguments[i], "--refuse-while") == 0 && i + 1 < count)
      g_refuseWhile = arguments[++i];
    else if (std::strcmp(arguments[i], "--end-with-items") == 0)
      g_endWithItems = true;
  }
}

int Settle() {
  if (FAILED(::CoInitialize(nullptr))) return 2;
  int result = 1;
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 60000; ::Sleep(500)) {
    IUnknown* item = nullptr;
    if (SUCCEEDED(::CoCreateInstance(kItemClass, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                     reinterpret_cast<void**>(&item)))) {
      item->Release();
      result = 0;
      break;
    }
  }
  ::CoUninitialize();
  return result;
}

}  // namespace

int main(int count, char** arguments) {
  if (count == 2 && std::strcmp(arguments[1], "--settle") == 0) return Settle();
  ReadArguments(count, arguments);
  Log("started %lu", ::GetCurrentProcessId());
  if (FAILED(::OleInitialize(nullptr))) return 2;
  RegisterItemWindowClass();
  PeerFactory factory;
  DWORD registration = 0;
  const HRESULT registered =
      ::CoRegisterClassObject(kItemClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &registration);
  if (FAILED(registered)) {
    Log("register failed 0x%08lx", static_cast<unsigned long>(registered));
    return 3;
  }
  // Runs until the container ends the process; a forgotten one ends itself
  // after a minute without items, with its own exit code.
  DWORD idleSince = ::GetTickCount();
  int exitCode = 4;
  for (;;) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (g_objects > 0) idleSince = ::GetTickCount();
    if (g_endWithItems && g_hadItems && g_objects == 0) {
      exitCode = 5;
      break;
    }
    if (::GetTickCount() - idleSince > 60000) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
  }
  Log("ended %d", exitCode);
  ::CoRevokeClassObject(registration);
  ::OleUninitialize();
  return exitCode;
}
