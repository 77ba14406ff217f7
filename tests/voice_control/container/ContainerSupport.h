// The test container's helpers: a host window with one control placed in it
// through the framework's control item, an event sink that writes down what
// it receives, a property bag in memory, and the fake engine's hooks.
#pragma once

#include "COleControlItem.h"

#include <windows.h>
#include <ocidl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Text of a variant as the tests compare it: numbers in decimal, flags as
// "true"/"false", texts (also by reference) as they are.
std::string VariantText(const VARIANT& value);
// ASCII text of a wide text, for messages.
std::string Narrow(const std::wstring& text);
VARIANT TextVariant(const wchar_t* text); // the caller clears it
VARIANT LongVariant(int32_t value);
VARIANT BoolVariant(bool value);

// The fake engine library's record of calls since the last take.
std::vector<std::string> TakeEngineCalls();
// Fires an engine event at the control whose window is instance.
bool FireEngineEvent(HWND instance, int32_t code, void* payload);

class CEventSink final : public IDispatch
{
public:
    struct Call
    {
        DISPID id;
        std::string arguments; // comma-separated, in declared order
        DWORD thread;
    };

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override { return --m_references; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(
        DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*) override;

    std::vector<Call> calls;

private:
    ULONG m_references = 1;
};

class CMemoryPropertyBag final : public IPropertyBag
{
public:
    ~CMemoryPropertyBag();
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    // Stored values by key, as text.
    std::map<std::wstring, std::string> Texts() const;
    void Put(const wchar_t* key, VARIANT value) { m_values[key] = value; }

private:
    std::map<std::wstring, VARIANT> m_values;
};

// A top-level window with one control in it. The window stays hidden: a
// shown top-level window costs seconds to close on a display without a
// window manager.
class CHostedControl
{
public:
    CHostedControl();
    ~CHostedControl();

    HRESULT Create(REFCLSID classId);
    HWND ControlWindow() const { return m_item.GetItemWindow(); }
    COleControlItem& Item() { return m_item; }
    template <typename Interface> Interface* Query(REFIID iid)
    {
        Interface* object = nullptr;
        m_item.QueryObject(iid, reinterpret_cast<void**>(&object));
        return object;
    }
    // Advises sink on the control's events interface.
    HRESULT Advise(CEventSink& sink, REFIID events);
    void Close();

private:
    HWND m_host = nullptr;
    COleControlItem m_item;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
};
