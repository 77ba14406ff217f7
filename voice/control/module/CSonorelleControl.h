// CSonorelleControl: what the voice control module's three controls share:
// their properties held in one table (type, engine property index,
// persistent key and default), the engine link with the order of calls on
// creation, resizing, painting and destruction, and the engine callback.
#pragma once

#include "COleControl.h"
#include "CSonorelleIfc.h"

#include <cstdint>
#include <string>
#include <vector>

struct SonorelleProperty
{
    VARTYPE type; // VT_BSTR, VT_BOOL or VT_I4
    int32_t engineIndex; // -1: not an engine property
    const wchar_t* key; // persistent key; null when not stored
    const char* defaultText;
    int32_t defaultNumber;
};

class CSonorelleControl : public COleControl
{
protected:
    // properties: one per property dispatch id from 1; storedOrder: the
    // dispatch ids in their persistent order.
    CSonorelleControl(const OleControlClass& controlClass, const std::vector<SonorelleProperty>& properties,
        std::vector<DISPID> storedOrder);

    const std::string& Text(DISPID id) const { return m_values[id - 1].text; }
    int32_t Number(DISPID id) const { return m_values[id - 1].number; }
    bool IsStoredProperty(DISPID id) const;
    // Takes value as the property's member without marking or pushing it.
    void StoreValue(DISPID id, const VARIANT& value);
    // Sets the member from an engine report of engine property index.
    bool StoreEngineValue(int32_t engineIndex, intptr_t value);
    // Sends the property's member to the engine as its indexed property.
    void PushProperty(DISPID id);

    HRESULT GetProperty(DISPID id, VARIANT& value) override;
    HRESULT SetProperty(DISPID id, const VARIANT& value) override;
    void DoPropExchange(CPropertyExchange& exchange) override;

    // The control's own steps of creation, after the shared ones.
    virtual void CreateEngineInstance() = 0;
    // The brand that the update check passes; null for none.
    virtual const char* UpdateBrand() const = 0;

    void OnSize(int cx, int cy) override;
    void OnPaint() override;
    void OnDestroy() override;

    CSonorelleIfc m_engine;
    SonorelleIfcCallback m_callback {};

private:
    int OnCreate() final;

    struct Value
    {
        std::string text;
        int32_t number = 0;
    };

    const std::vector<SonorelleProperty>& m_properties;
    std::vector<DISPID> m_storedOrder;
    std::vector<Value> m_values;
};
