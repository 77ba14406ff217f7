// CSonorelleCtrl: the voice control that the chat client hosts. Fixed
// properties pushed to the engine by index, methods forwarded to the
// engine's exports and operations, engine events fired at once inside the
// engine's callback; engine reports of changed properties update members.
#pragma once

#include "CSonorelleControl.h"

class CSonorelleCtrl final : public CSonorelleControl
{
public:
    CSonorelleCtrl();

protected:
    HRESULT GetProperty(DISPID id, VARIANT& value) override;
    HRESULT SetProperty(DISPID id, const VARIANT& value) override;
    HRESULT CallMethod(DISPID id, VARIANT* arguments, VARIANT& result) override;
    void CreateEngineInstance() override;
    const char* UpdateBrand() const override;

private:
    static void OnEngineEvent(SonorelleIfcEvent* event);
    void HandleEngineEvent(int32_t code, const void* payload);
};
