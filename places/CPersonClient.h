// CPersonClient: a person of the place as the client shows it. It follows
// the person entering, moving and leaving its parent, forming groups and
// one-on-one conversations, and changing its picture, identity and flags,
// and keeps the avatar window, the seat rows, the people list and the DDE
// session in step.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "IPersonViews.h"
#include "ZrPerson.h"

class CPlace;

class CPersonClient : public CZrPerson {
public:
    // The group kind of a seat row in an auditorium.
    static constexpr uint32_t kSeatRowKind = 519;
    // The member flag that marks the avatar: the person may not send.
    static constexpr uint16_t kMarkFlag = 0x2;
    // The mode of the library's picture request.
    static constexpr uint32_t kPictureMode = 1;

    explicit CPersonClient(IPersonViews& views, CTvlObject* owner = nullptr,
                           std::unique_ptr<CZrPersonInfo> info = nullptr);
    ~CPersonClient() override;

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnFlagsChanged(CZrMemberFlags oldFlags) override;
    void OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value) override;
    void OnDataReset(const CTvlBlob* oldData) override;
    void OnHostGained() override;
    void OnHostLost() override;
    void OnTargeted(CZrObject* object) override;
    void OnTargetCleared() override;
    void OnPaired(CZrObject* partner, const CZrPosition& oldPosition, uint32_t value) override;
    void OnGroupCreated(uint32_t value) override;
    void OnInfoChanged() override;
    void OnSendRefused(uint32_t value, uint32_t code) override;

    // Asks for a one-on-one conversation with this person: a group named
    // after both display names.
    int32_t BuildPairText();

    // The person stands in a place tree.
    bool IsInRootPlace();
    // The person sits in a seat row.
    bool IsInSeatRow() const;

protected:
    IPersonViews& Views() const { return m_views; }
    void ShowMark();
    // The local user of the place this person stands in, or null.
    CZrPerson* FindMyself();
    CPlace* FindPlace();

private:
    // The local user's parent group, or null.
    CZrGroup* MyselfParent();
    CZrGroup* WindowHost() const;
    void OnChange();

    IPersonViews& m_views;
};
