// CPersonClient: a person of the place as the client shows it. It follows
// the person entering, moving and leaving its parent, and keeps the avatar
// window, the seat rows, the people list and the DDE session in step.
#pragma once

#include <cstdint>
#include <string>

#include "IPersonViews.h"
#include "ZrPerson.h"

class CPersonClient : public CZrPerson {
public:
    // The group kind of a seat row in an auditorium.
    static constexpr uint32_t kSeatRowKind = 519;
    // The member flag that marks the avatar.
    static constexpr uint16_t kMarkFlag = 0x4;

    explicit CPersonClient(IPersonViews& views, CTvlObject* owner = nullptr);
    ~CPersonClient() override;

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnFlagsChanged(CZrMemberFlags oldFlags) override;

    // The person stands in a place tree.
    bool IsInRootPlace();
    // The person sits in a seat row.
    bool IsInSeatRow() const;

private:
    // The local user of the place this person stands in, or null.
    CZrPerson* FindMyself();
    // The local user's parent group, or null.
    CZrGroup* MyselfParent();
    CZrGroup* WindowHost() const;
    void ShowMark();

    IPersonViews& m_views;
};
