#include "CSonorelleControl.h"

#include "OleText.h"

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer();

CSonorelleControl::CSonorelleControl(const OleControlClass& controlClass,
    const std::vector<SonorelleProperty>& properties, std::vector<DISPID> storedOrder)
    : COleControl(controlClass)
    , m_properties(properties)
    , m_storedOrder(std::move(storedOrder))
    , m_values(properties.size())
{
    for (size_t i = 0; i < properties.size(); ++i) {
        m_values[i].text = properties[i].defaultText ? properties[i].defaultText : "";
        m_values[i].number = properties[i].defaultNumber;
    }
}

bool CSonorelleControl::IsStoredProperty(DISPID id) const
{
    return id >= 1 && static_cast<size_t>(id) <= m_properties.size();
}

void CSonorelleControl::StoreValue(DISPID id, const VARIANT& value)
{
    Value& member = m_values[id - 1];
    switch (value.vt) {
    case VT_BSTR:
        member.text = TextOfBstr(value.bstrVal);
        break;
    case VT_BOOL:
        member.number = value.boolVal != VARIANT_FALSE ? TRUE : FALSE;
        break;
    default:
        member.number = value.lVal;
        break;
    }
}

bool CSonorelleControl::StoreEngineValue(int32_t engineIndex, intptr_t value)
{
    for (size_t i = 0; i < m_properties.size(); ++i) {
        if (m_properties[i].engineIndex != engineIndex || !m_properties[i].key)
            continue;
        if (m_properties[i].type == VT_BSTR) {
            const char* text = reinterpret_cast<const char*>(value);
            m_values[i].text = text ? text : "";
        } else {
            m_values[i].number = static_cast<int32_t>(value);
        }
        return true;
    }
    return false;
}

void CSonorelleControl::PushProperty(DISPID id)
{
    const SonorelleProperty& property = m_properties[id - 1];
    if (property.engineIndex < 0 || !GetSafeHwnd())
        return;
    if (property.type == VT_BSTR)
        m_engine.SetStringProperty(property.engineIndex, Text(id));
    else
        m_engine.SetLongProperty(property.engineIndex, Number(id));
}

HRESULT CSonorelleControl::GetProperty(DISPID id, VARIANT& value)
{
    if (!IsStoredProperty(id))
        return DISP_E_MEMBERNOTFOUND;
    const SonorelleProperty& property = m_properties[id - 1];
    value.vt = property.type;
    if (property.type == VT_BSTR)
        value.bstrVal = AllocSysString(Text(id));
    else if (property.type == VT_BOOL)
        value.boolVal = Number(id) ? VARIANT_TRUE : VARIANT_FALSE;
    else
        value.lVal = Number(id);
    return S_OK;
}

HRESULT CSonorelleControl::SetProperty(DISPID id, const VARIANT& value)
{
    if (!IsStoredProperty(id))
        return DISP_E_MEMBERNOTFOUND;
    StoreValue(id, value);
    SetModifiedFlag();
    PushProperty(id);
    return S_OK;
}

void CSonorelleControl::DoPropExchange(CPropertyExchange& exchange)
{
    exchange.Version(1, 0);
    for (DISPID id : m_storedOrder) {
        const SonorelleProperty& property = m_properties[id - 1];
        Value& member = m_values[id - 1];
        if (property.type == VT_BSTR)
            exchange.Text(property.key, member.text, property.defaultText);
        else if (property.type == VT_BOOL)
            exchange.Bool(property.key, member.number, property.defaultNumber);
        else
            exchange.Long(property.key, member.number, property.defaultNumber);
    }
}

int CSonorelleControl::OnCreate()
{
    m_engine.Attach(GetSafeHwnd());
    if (CSonorelleIfc::TakeFirstCreation()) {
        // The first control of a process puts its module's entries right.
        DllRegisterServer();
        const char* brand = UpdateBrand();
        m_engine.CheckForUpdates(brand ? brand : "");
    }
    CreateEngineInstance();
    return 0;
}

void CSonorelleControl::OnSize(int cx, int cy)
{
    if (GetSafeHwnd())
        m_engine.MoveWindow(cx, cy);
}

void CSonorelleControl::OnPaint()
{
    RECT client {};
    ::GetClientRect(GetSafeHwnd(), &client);
    ::SetWindowRgn(GetSafeHwnd(), ::CreateRectRgnIndirect(&client), TRUE);
    COleControl::OnPaint();
}

void CSonorelleControl::OnDestroy()
{
    m_engine.Destroy();
}
