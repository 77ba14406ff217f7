// CClientPlace: a group of persons inside the place as the client shows it:
// a tour, a one-on-one conversation, a row of seats in an auditorium or a
// plain group (a game is the subclass CClientRoom). It keeps the group's
// window, the people list and the DDE session in step with the group, shows
// what is said inside it, and follows the items it publishes. Every other
// piece of the client asks its four predicates instead of comparing kinds.
#pragma once

#include <cstdint>
#include <string>

#include "ZrGroup.h"

class CPlace;
class IPersonViews;

class CClientPlace : public CZrGroup {
public:
    // Group kinds.
    static constexpr uint32_t kTourKind = 513;
    static constexpr uint32_t kOneOnOneKind = 514;
    static constexpr uint32_t kGameKind = 518;
    static constexpr uint32_t kSeatRowKind = 519;
    // Item of a tour: the address of the page its guide shows.
    static constexpr uint16_t kGuidePageItem = 21;
    // The longest line said in a group that is shown.
    static constexpr size_t kMaxGroupLine = 800;

    CClientPlace(uint32_t kind, IPersonViews& views);
    ~CClientPlace() override;

    // Led by one person: tours and games.
    virtual bool IsLedGroup() const;
    virtual bool IsGame() const;
    bool IsOneOnOne() const;
    bool IsSeatRow() const;

    // The predicates of any group; false for objects that are not client
    // groups.
    static bool IsLedGroup(const CZrObject* object);
    static bool IsGame(const CZrObject* object);
    static bool IsOneOnOne(const CZrObject* object);
    static bool IsSeatRow(const CZrObject* object);

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnDenied(uint32_t code, uint32_t destination, uint32_t value) override;
    void OnReceive(CZrObject* sender, uint32_t mode, const std::string& text, const CTvlBlob& blob) override;
    void OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value) override;
    void OnItemPut(CZrItem& item) override;
    void OnItemRemoved(CZrItem& item) override;
    void OnDissolve() override;

protected:
    IPersonViews& Views() const { return m_views; }
    CPlace* RootPlace();

private:
    bool IsMyselfParentOf();
    void FollowGuide(const CZrItem& item);
    void SaveMyselfPosition();

    IPersonViews& m_views;
};
