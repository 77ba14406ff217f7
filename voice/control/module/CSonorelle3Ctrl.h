// CSonorelle3Ctrl: the voice settings control. A page or document sets it up
// through its persistent properties alone (user-interface options, phone
// settings, connection values); each is pushed to the engine as an indexed
// property at creation and on every change. It has no methods and drops
// every engine event.
#pragma once

#include "CSonorelleControl.h"

class CSonorelle3Ctrl final : public CSonorelleControl
{
public:
    CSonorelle3Ctrl();

protected:
    HRESULT CallMethod(DISPID, VARIANT*, VARIANT&) override { return DISP_E_MEMBERNOTFOUND; }
    void CreateEngineInstance() override;
    const char* UpdateBrand() const override;

private:
    static void IgnoreEngineEvent(SonorelleIfcEvent*) { }
};
