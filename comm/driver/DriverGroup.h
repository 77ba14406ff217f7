// CDriverGroup: a group of the driver's tree that prints its callbacks.
#pragma once

#include "DriverJson.h"
#include "ZrGroup.h"

class CDriverGroup : public CZrGroup {
public:
    explicit CDriverGroup(DriverOutput output) : m_output(std::move(output)) {}

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob) override;
    void OnDissolve() override;

private:
    CDriverJson Event(const char* name);
    void Print(const CDriverJson& json) { m_output(json.Text()); }

    DriverOutput m_output;
};
