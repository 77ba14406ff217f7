// CDriverPlace: the driver's client place; every callback of the place, and
// through its factories of its persons and groups, becomes one JSON line.
#pragma once

#include "DriverJson.h"
#include "ZrClientPlace.h"

class CDriverPlace : public CZrClientPlace {
public:
    // Myself stays the caller's; the standing groups are the place's.
    CDriverPlace(CZrPerson* myself, DriverOutput output);

    CZrPerson* CreatePerson() override;
    CZrGroup* CreateGroup(uint32_t kind) override;

    void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob) override;
    void OnSendRefused(uint32_t value, uint32_t code) override;
    void OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector& selector) override;
    void OnConnected() override;
    void OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text) override;
    void OnPlaceValue(uint32_t value) override;
    void OnDisconnected(int32_t code, const std::string& text) override;
    void OnBroadcast(const CBroadcastInfo& record) override;
    void OnSuperUserError(uint32_t value) override;
    void OnPlaceDescription(uint32_t first, uint32_t second, bool flag, uint32_t valueA, uint32_t valueB,
                            uint32_t valueC, const PlaceList& places) override;
    void OnPlaceList(const PlaceList& places, uint32_t valueA, uint32_t valueB, uint32_t valueC) override;
    void OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons) override;
    void whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                   const std::string& secondText) override;
    void OnTalkRefused(uint32_t target, uint32_t code) override;
    void OnWarning(const std::string& text) override;
    void OnMuted(uint32_t member) override;
    void OnUnmuted() override;
    void OnDataLocked(uint32_t member) override;
    void OnDataUnlocked() override;
    void OnPersonPicture(uint32_t person, const CTvlBlob* picture) override;
    void OnPairNotice(uint32_t value, uint32_t second) override;
    void OnObjectDescription(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth,
                             const CZrObjectDesc& description) override;
    void OnPlaceReport(uint32_t first, uint32_t second, bool inThisPlace, uint32_t third, uint32_t value) override;
    void OnMemberAppeared(const CZrObjectRef& reference) override;
    void OnMemberLeft(const CZrObjectRef& reference) override;
    void OnServiceReply(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                        const CZrTextMessage& record) override;
    void OnGameNotice(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                      const CZrObjectRef& member) override;
    void OnRequestFailed(uint32_t value, uint32_t target, uint32_t code) override;
    void OnInvitationFailed(uint32_t first, uint32_t second, uint32_t value) override;
    void OnServerMessage(const std::string& text) override;
    void OnInvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second) override;
    void OnUninvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second) override;
    void OnNameKeyList(uint32_t value, uint32_t id, uint32_t field, const KeyList& keys) override;
    void OnPlaceFlag(uint32_t value, uint32_t id, uint32_t second, bool flag) override;

private:
    void Print(const CDriverJson& json) { m_output(json.Text()); }

    DriverOutput m_output;
};
