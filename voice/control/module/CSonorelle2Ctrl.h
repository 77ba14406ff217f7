// CSonorelle2Ctrl: the voice SDK control. Everything is set by name through
// methods; the engine window is made only when the host calls Initialize;
// it adds wave recording and playback; its events carry the control's
// instance number first and are fired on the control window's own thread.
#pragma once

#include "CSonorelleControl.h"

class CSonorelle2Ctrl final : public CSonorelleControl
{
public:
    CSonorelle2Ctrl();

protected:
    HRESULT GetProperty(DISPID id, VARIANT& value) override;
    HRESULT CallMethod(DISPID id, VARIANT* arguments, VARIANT& result) override;
    void CreateEngineInstance() override;
    const char* UpdateBrand() const override { return nullptr; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static void OnEngineEvent(SonorelleIfcEvent* event);
    void FireEngineEvent(const SonorelleIfcEvent& event);
    int32_t Initialize();
    int32_t SetSDKProperty(const std::string& name, const std::string& value);
    BSTR GetSDKProperty(const std::string& name);
    HRESULT CallWaveMethod(DISPID id, VARIANT* arguments, VARIANT& result);

    bool m_initialized = false;
    int32_t m_instanceNumber;
};
