// CDriverPerson: a person of the driver's tree that prints its callbacks.
#pragma once

#include "DriverJson.h"
#include "ZrPerson.h"

class CDriverPerson : public CZrPerson {
public:
    explicit CDriverPerson(DriverOutput output) : m_output(std::move(output)) {}

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnDenied(uint32_t code, uint32_t destination, uint32_t value) override;
    void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob) override;
    void OnSendRefused(uint32_t value, uint32_t code) override;
    void OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value) override;
    void OnItemPut(CZrItem& item) override;
    void OnItemRemoved(CZrItem& item) override;
    void OnGroupRefused(uint32_t code) override;
    void OnAlerted(CZrObject* sender) override;
    void OnHostGained() override;
    void OnHostLost() override;
    void OnNotice(uint32_t value) override;
    void OnTargeted(CZrObject* object) override;
    void OnTargetCleared() override;
    void OnPaired(CZrObject* partner, const CZrPosition& oldPosition, uint32_t value) override;
    void OnGroupCreated(uint32_t value) override;
    void OnRequestError(uint32_t code, uint32_t kind, uint32_t value) override;
    void OnDataReset(const CTvlBlob* oldData) override;
    void OnDataRefused(uint32_t code) override;
    void OnInfoChanged() override;
    void OnFlagsChanged(CZrMemberFlags oldFlags) override;
    void OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnSignal(uint32_t value) override;
    void OnKindChanged(uint32_t oldKind) override;

private:
    // The event with the person's identifier and name.
    CDriverJson Event(const char* name);
    void Print(const CDriverJson& json) { m_output(json.Text()); }

    DriverOutput m_output;
};
