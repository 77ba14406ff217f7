#include "ContainerSupport.h"

#include "OleText.h"

#include <sstream>

namespace {

// "bytes" and the array's bytes in hex, as "bytes 01 02".
std::string ByteArrayText(SAFEARRAY* array)
{
    std::ostringstream text;
    text << "bytes";
    unsigned char* data = nullptr;
    if (!array || FAILED(::SafeArrayAccessData(array, reinterpret_cast<void**>(&data))))
        return "bytes (none)";
    for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i)
        text << ' ' << std::hex << (data[i] < 16 ? "0" : "") << static_cast<int>(data[i]);
    ::SafeArrayUnaccessData(array);
    return text.str();
}

} // namespace

std::string VariantText(const VARIANT& value)
{
    switch (value.vt) {
    case VT_BSTR:
        return TextOfBstr(value.bstrVal);
    case VT_BYREF | VT_BSTR:
        return TextOfBstr(*value.pbstrVal);
    case VT_BOOL:
        return value.boolVal ? "true" : "false";
    case VT_I4:
        return std::to_string(value.lVal);
    case VT_EMPTY:
        return "(empty)";
    case VT_ARRAY | VT_UI1:
        return ByteArrayText(value.parray);
    default:
        return "(type " + std::to_string(value.vt) + ")";
    }
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

VARIANT TextVariant(const wchar_t* text)
{
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(text);
    return value;
}

VARIANT LongVariant(int32_t number)
{
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

VARIANT BoolVariant(bool flag)
{
    VARIANT value;
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}

std::vector<std::string> TakeEngineCalls()
{
    std::vector<std::string> calls;
    HMODULE engine = ::GetModuleHandleA("SnCom.dll");
    if (!engine)
        return calls;
    using TakeFunction = void (*)(char*, int32_t);
    auto take = reinterpret_cast<TakeFunction>(::GetProcAddress(engine, "FakeEngine_TakeCalls"));
    if (!take)
        return {"(not the fake engine)"};
    std::string buffer(1 << 16, '\0');
    take(buffer.data(), static_cast<int32_t>(buffer.size()));
    std::istringstream lines(buffer.c_str());
    for (std::string line; std::getline(lines, line);)
        calls.push_back(line);
    return calls;
}

bool FireEngineEvent(HWND instance, int32_t code, void* payload)
{
    HMODULE engine = ::GetModuleHandleA("SnCom.dll");
    if (!engine)
        return false;
    using FireFunction = bool (*)(void*, int32_t, void*);
    auto fire = reinterpret_cast<FireFunction>(::GetProcAddress(engine, "FakeEngine_Fire"));
    return fire && fire(instance, code, payload);
}

// Event sink

STDMETHODIMP CEventSink::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CEventSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

STDMETHODIMP CEventSink::Invoke(
    DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*)
{
    std::string arguments;
    for (UINT i = parameters->cArgs; i > 0; --i) {
        if (!arguments.empty())
            arguments += ",";
        arguments += VariantText(parameters->rgvarg[i - 1]);
    }
    calls.push_back({id, arguments, ::GetCurrentThreadId()});
    return S_OK;
}

// Property bag

CMemoryPropertyBag::~CMemoryPropertyBag()
{
    for (auto& entry : m_values)
        ::VariantClear(&entry.second);
}

STDMETHODIMP CMemoryPropertyBag::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
        *out = static_cast<IPropertyBag*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CMemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return E_INVALIDARG;
    return ::VariantCopy(value, &found->second);
}

STDMETHODIMP CMemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value)
{
    VARIANT copy;
    ::VariantInit(&copy);
    const HRESULT result = ::VariantCopy(&copy, value);
    if (FAILED(result))
        return result;
    auto found = m_values.find(name);
    if (found != m_values.end())
        ::VariantClear(&found->second);
    m_values[name] = copy;
    return S_OK;
}

std::map<std::wstring, std::string> CMemoryPropertyBag::Texts() const
{
    std::map<std::wstring, std::string> texts;
    for (const auto& entry : m_values)
        texts[entry.first] = VariantText(entry.second);
    return texts;
}

// Hosted control

CHostedControl::CHostedControl()
{
    m_host = ::CreateWindowExW(0, L"STATIC", L"Voice control container", WS_OVERLAPPEDWINDOW, 10, 10, 400,
        400, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

CHostedControl::~CHostedControl()
{
    Close();
    if (m_host)
        ::DestroyWindow(m_host);
}

HRESULT CHostedControl::Create(REFCLSID classId)
{
    return m_item.Create(classId, m_host, RECT {5, 5, 205, 255});
}

HRESULT CHostedControl::Advise(CEventSink& sink, REFIID events)
{
    IConnectionPointContainer* container = Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container)
        return E_NOINTERFACE;
    HRESULT result = container->FindConnectionPoint(events, &m_point);
    container->Release();
    if (SUCCEEDED(result))
        result = m_point->Advise(&sink, &m_cookie);
    return result;
}

void CHostedControl::Close()
{
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
    }
    m_item.Destroy();
}
