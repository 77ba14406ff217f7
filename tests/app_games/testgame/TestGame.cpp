// TestGame: a tiny two-seat game built as an in-process automation server,
// for testing the client's game session. It answers the eight methods by
// name, logs every call with the types of its arguments, and plays "count
// to six": the player who started the game sends move 1 to the first member
// that joins, and each side answers a move with the next through the
// client's event interface. Data "ask:N[:value]" makes it call event slot N.
//
// The log goes to the file named by the environment variable
// ZR_TESTGAME_LOG, one line a call. Moves go out through event slot 3 (a
// member request of kind 1) and come in through Send or SendFromService.
#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "IZrGameEvents.h"

// {DC1BFCC5-454A-4DF7-9538-3E08006D77D5}
static const CLSID CLSID_TestGame = {0xDC1BFCC5, 0x454A, 0x4DF7, {0x95, 0x38, 0x3E, 0x08, 0x00, 0x6D, 0x77, 0xD5}};
static const char kClassText[] = "{DC1BFCC5-454A-4DF7-9538-3E08006D77D5}";
static const char kGamesKey[] = "Software\\Tervala\\ZrGames32\\TestGame";
static const int kLastMove = 6;

static HMODULE g_module = nullptr;
static LONG g_objects = 0;
static LONG g_locks = 0;

namespace {

const char* const kNames[] = {"StartGame", "EndGame", "JoinGroup", "Send", "LeaveGroup", "EnumMembers",
                              "SendFromService", "GetGameDetails"};
enum { kStartGame = 1, kEndGame, kJoinGroup, kSend, kLeaveGroup, kEnumMembers, kSendFromService,
       kGetGameDetails, kNameCount = kGetGameDetails };

void Log(const std::string& line) {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("ZR_TESTGAME_LOG", path, sizeof(path))) return;
  if (FILE* file = std::fopen(path, "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

std::string Narrow(const wchar_t* text, int length) {
  std::string result;
  for (int i = 0; i < length; ++i) result += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  return result;
}

std::string TextOf(BSTR text) { return text ? Narrow(text, static_cast<int>(SysStringLen(text))) : ""; }

// Byte data: one character a byte, through the program's code page.
std::string BytesOf(BSTR data) {
  std::string bytes;
  for (UINT i = 0; data && i < SysStringLen(data); ++i) {
    char byte = 0;
    WideCharToMultiByte(CP_ACP, 0, &data[i], 1, &byte, 1, nullptr, nullptr);
    bytes += byte;
  }
  return bytes;
}

BSTR WideBytes(const std::string& bytes) {
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) MultiByteToWideChar(CP_ACP, 0, &bytes[i], 1, &result[i], 1);
  return result;
}

BSTR Wide(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string Hex(const std::string& bytes) {
  std::string text;
  char digits[3];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof(digits), "%02x", byte);
    text += digits;
  }
  return text;
}

const char* TypeName(VARTYPE type) {
  switch (type) {
    case VT_I2: return "I2";
    case VT_I4: return "I4";
    case VT_BSTR: return "BSTR";
    case VT_BYREF | VT_I2: return "I2&";
    case VT_BYREF | VT_BSTR: return "BSTR&";
    default: return "?";
  }
}

std::string ValueText(const VARIANTARG& argument) {
  switch (argument.vt) {
    case VT_I2: return std::to_string(argument.iVal);
    case VT_I4: return std::to_string(argument.lVal);
    case VT_BSTR: return TextOf(argument.bstrVal);
    case VT_BYREF | VT_I2: return std::to_string(*argument.piVal);
    case VT_BYREF | VT_BSTR: return "#" + std::to_string(SysStringLen(*argument.pbstrVal));
    default: return "?";
  }
}

// The arguments in the order the method declares them.
std::vector<VARIANTARG*> InOrder(DISPPARAMS* parameters) {
  std::vector<VARIANTARG*> arguments;
  for (UINT i = parameters->cArgs; i > 0; --i) arguments.push_back(&parameters->rgvarg[i - 1]);
  return arguments;
}

}  // namespace

class CTestGame final : public IDispatch, public IConnectionPointContainer, public IConnectionPoint {
 public:
  CTestGame() { InterlockedIncrement(&g_objects); }

  // IUnknown
  HRESULT __stdcall QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch))
      *object = static_cast<IDispatch*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
      *object = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPoint))
      *object = static_cast<IConnectionPoint*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG __stdcall AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
  ULONG __stdcall Release() override {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT __stdcall GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT __stdcall GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT __stdcall GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    HRESULT result = S_OK;
    for (UINT n = 0; n < count; ++n) {
      ids[n] = DISPID_UNKNOWN;
      const std::string name = Narrow(names[n], lstrlenW(names[n]));
      for (int i = 0; i < kNameCount; ++i) {
        if (name == kNames[i]) ids[n] = i + 1;
      }
      if (ids[n] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }
  HRESULT __stdcall Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                           UINT*) override {
    if (id < 1 || id > kNameCount || !(flags & DISPATCH_METHOD) || !parameters) return DISP_E_MEMBERNOTFOUND;
    const std::vector<VARIANTARG*> arguments = InOrder(parameters);
    LogCall(kNames[id - 1], arguments);
    switch (id) {
      case kGetGameDetails: return Describe(arguments);
      case kStartGame: return Started(arguments);
      case kJoinGroup: return Joined(arguments);
      case kSend: return Received(arguments, 6);
      case kSendFromService: return Received(arguments, 4);
      default: return S_OK;
    }
  }

  // IConnectionPointContainer
  HRESULT __stdcall EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT __stdcall FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, IID_IZrGameEvents)) return CONNECT_E_NOCONNECTION;
    *point = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }

  // IConnectionPoint
  HRESULT __stdcall GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = IID_IZrGameEvents;
    return S_OK;
  }
  HRESULT __stdcall GetConnectionPointContainer(IConnectionPointContainer** container) override {
    return QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
  }
  HRESULT __stdcall Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) return E_POINTER;
    if (m_sink) return CONNECT_E_ADVISELIMIT;
    if (FAILED(sink->QueryInterface(IID_IZrGameEvents, reinterpret_cast<void**>(&m_sink)))) return CONNECT_E_CANNOTCONNECT;
    *cookie = 1;
    Log("Advise");
    return S_OK;
  }
  HRESULT __stdcall Unadvise(DWORD cookie) override {
    if (cookie != 1 || !m_sink) return CONNECT_E_NOCONNECTION;
    m_sink->Release();
    m_sink = nullptr;
    Log("Unadvise");
    return S_OK;
  }
  HRESULT __stdcall EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  ~CTestGame() {
    if (m_sink) m_sink->Release();
    Log("Destroyed");
    InterlockedDecrement(&g_objects);
  }

  static void LogCall(const char* name, const std::vector<VARIANTARG*>& arguments) {
    std::string types, values;
    for (const VARIANTARG* argument : arguments) {
      types += (types.empty() ? "" : ",") + std::string(TypeName(argument->vt));
      values += (values.empty() ? "" : "|") + ValueText(*argument);
    }
    Log(std::string(name) + " " + (types.empty() ? "-" : types) + " " + values);
  }

  static bool Is(const std::vector<VARIANTARG*>& arguments, size_t index, VARTYPE type) {
    return index < arguments.size() && arguments[index]->vt == type;
  }

  static void Put(VARIANTARG* argument, BSTR value) {
    SysFreeString(*argument->pbstrVal);
    *argument->pbstrVal = value;
  }

  HRESULT Describe(const std::vector<VARIANTARG*>& arguments) {
    for (size_t i = 0; i < 8; ++i) {
      const VARTYPE wanted = i == 5 || i == 6 ? VT_BYREF | VT_I2 : VT_BYREF | VT_BSTR;
      if (!Is(arguments, i, wanted)) return DISP_E_TYPEMISMATCH;
    }
    Put(arguments[0], Wide("TestGame"));
    Put(arguments[1], Wide("count to six"));
    Put(arguments[2], Wide("10,10,23,31,Red;40,10,23,31,Blue"));
    Put(arguments[3], Wide("Y"));
    Put(arguments[4], Wide("N"));
    *arguments[5]->piVal = 2;
    *arguments[6]->piVal = 4;
    // A 1 x 1 GIF: the logo's bytes include ones above 0x7F.
    static const unsigned char kLogo[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                          0x00, 0xff, 0x00, 0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x01, 0x00,
                                          0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
                                          0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    Put(arguments[7], WideBytes(std::string(reinterpret_cast<const char*>(kLogo), sizeof(kLogo))));
    return S_OK;
  }

  HRESULT Started(const std::vector<VARIANTARG*>& arguments) {
    if (!Is(arguments, 0, VT_I4)) return DISP_E_TYPEMISMATCH;
    m_group = arguments[0]->lVal;
    m_leader = true;
    return S_OK;
  }

  // The leader opens the game when the first other player sits down.
  HRESULT Joined(const std::vector<VARIANTARG*>& arguments) {
    if (!Is(arguments, 2, VT_I4)) return DISP_E_TYPEMISMATCH;
    const long member = arguments[2]->lVal;
    long own = 0;
    if (m_sink) m_sink->GetOwnId(&own);
    if (m_leader && !m_opponent && member != own) {
      m_opponent = member;
      SendMove(member, 1);
    }
    return S_OK;
  }

  // Game data from a member (Send) or through a member request
  // (SendFromService): moves and requests to call back.
  HRESULT Received(const std::vector<VARIANTARG*>& arguments, size_t dataIndex) {
    if (!Is(arguments, 0, VT_I4) || !Is(arguments, dataIndex, VT_BYREF | VT_BSTR)) return DISP_E_TYPEMISMATCH;
    const long sender = arguments[0]->lVal;
    const std::string data = BytesOf(*arguments[dataIndex]->pbstrVal);
    Log("data " + std::to_string(data.size()) + " " + Hex(data));
    int move = 0;
    if (std::sscanf(data.c_str(), "move:%d", &move) == 1) {
      Log("move " + std::to_string(move) + " from " + std::to_string(sender));
      if (move < kLastMove) SendMove(sender, move + 1);
      else Log("game over");
    } else if (data.rfind("ask:", 0) == 0) {
      Ask(data.substr(4));
    }
    return S_OK;
  }

  void SendMove(long member, int move) {
    if (!m_sink) return;
    BSTR text = Wide("move");
    BSTR data = Wide(("move:" + std::to_string(move)).c_str());
    m_sink->SendToMember(member, 1, text, &data, 0);
    Log("sent move " + std::to_string(move) + " to " + std::to_string(member));
    SysFreeString(text);
    SysFreeString(data);
  }

  // "slot[:first[:second]]": calls one event slot and logs what it answered.
  void Ask(const std::string& request) {
    if (!m_sink) return;
    int slot = 0;
    long first = 0, second = 0;
    std::sscanf(request.c_str(), "%d:%ld:%ld", &slot, &first, &second);
    std::string answer;
    switch (slot) {
      case 1:
        answer = std::to_string(m_sink->Notify());
        break;
      case 2: {
        BSTR text = Wide("posted");
        BSTR data = WideBytes(std::string("\x01\xfe\x7f", 3));
        answer = std::to_string(m_sink->PostData(first, static_cast<short>(second), text, &data));
        SysFreeString(text);
        SysFreeString(data);
        break;
      }
      case 4:
        answer = std::to_string(m_sink->EnumPlaceMembers(first, second));
        break;
      case 5: {
        long member = first;
        short userClass = static_cast<short>(second);
        const long result = m_sink->ResolveMember(&member, &userClass);
        answer = std::to_string(result) + " " + std::to_string(member) + " " + std::to_string(userClass);
        break;
      }
      case 6: {
        BSTR texts[4] = {};
        const HRESULT hr = m_sink->GetMemberInfo(first, &texts[0], &texts[1], &texts[2], &texts[3]);
        answer = std::to_string(hr);
        for (BSTR& text : texts) {
          answer += "|" + TextOf(text);
          SysFreeString(text);
        }
        break;
      }
      case 7: {
        BSTR name = nullptr;
        m_sink->GetPlaceName(&name);
        answer = TextOf(name);
        SysFreeString(name);
        break;
      }
      case 8: {
        long id = 0;
        m_sink->GetOwnId(&id);
        answer = std::to_string(id);
        break;
      }
      case 9:
        answer = std::to_string(m_sink->SetGameState(first));
        break;
      case 10:
        answer = std::to_string(m_sink->ForwardToGroup(first, second));
        break;
      case 11:
        answer = std::to_string(m_sink->ForwardToMember(first, second, 3, 4, 5));
        break;
      default:
        answer = "unknown slot";
    }
    Log("answer " + std::to_string(slot) + " " + answer);
  }

  LONG m_references = 1;
  IZrGameEvents* m_sink = nullptr;
  long m_group = 0;
  long m_opponent = 0;
  bool m_leader = false;
};

class CTestGameFactory : public IClassFactory {
 public:
  HRESULT __stdcall QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return 2; }
  ULONG __stdcall Release() override { return 1; }
  HRESULT __stdcall CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    CTestGame* game = new CTestGame();
    const HRESULT hr = game->QueryInterface(iid, object);
    game->Release();
    if (SUCCEEDED(hr)) Log("Created");
    return hr;
  }
  HRESULT __stdcall LockServer(BOOL lock) override {
    if (lock) InterlockedIncrement(&g_locks);
    else InterlockedDecrement(&g_locks);
    return S_OK;
  }
};

static CTestGameFactory g_factory;

namespace {

bool SetDefaultValue(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG result = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

HRESULT __stdcall DllGetClassObject(REFCLSID id, REFIID iid, void** object) {
  if (!IsEqualCLSID(id, CLSID_TestGame)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, object);
}

HRESULT __stdcall DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }

HRESULT __stdcall DllRegisterServer() {
  char path[MAX_PATH];
  if (!GetModuleFileNameA(g_module, path, sizeof(path))) return SELFREG_E_CLASS;
  const std::string classKey = std::string("CLSID\\") + kClassText;
  if (!SetDefaultValue(classKey, "TestGame") || !SetDefaultValue(classKey + "\\InprocServer32", path) ||
      !SetDefaultValue(kGamesKey, kClassText))
    return SELFREG_E_CLASS;
  HKEY server = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, (classKey + "\\InprocServer32").c_str(), 0, KEY_WRITE, &server) ==
      ERROR_SUCCESS) {
    static const char kModel[] = "Apartment";
    RegSetValueExA(server, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(kModel), sizeof(kModel));
    RegCloseKey(server);
  }
  return S_OK;
}

HRESULT __stdcall DllUnregisterServer() {
  const std::string classKey = std::string("CLSID\\") + kClassText;
  RegDeleteKeyA(HKEY_CLASSES_ROOT, (classKey + "\\InprocServer32").c_str());
  RegDeleteKeyA(HKEY_CLASSES_ROOT, classKey.c_str());
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kGamesKey);
  return S_OK;
}

// How many game objects are alive: a client that released its game leaves 0.
LONG __stdcall TestGameLiveObjects() { return g_objects; }

}  // extern "C"
