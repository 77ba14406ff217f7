// CZrPerson: a person of the replicated tree; the client derives the local
// user and every other person shown from it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "ZrMemberFlags.h"
#include "ZrMemberRecord.h"
#include "ZrObject.h"
#include "ZrPersonInfo.h"

class IZrPersonLink;

class CZrPerson : public CZrObject {
public:
    explicit CZrPerson(CTvlObject* owner = nullptr, std::unique_ptr<CZrPersonInfo> info = nullptr);
    ~CZrPerson() override;

    int32_t GetPersonCount() const override;
    // The object form, the name tag byte and the member flags.
    void Marshal(TvlNdr& writer) const override;
    bool Unmarshal(TvlNdr& reader, const CZrReadContext& context) override;
    // Sends through the place link, which stamps its place key first.
    bool Send(TvlNdr& message) override;

    // Notifications for the client's subclasses; the library's do nothing.
    virtual void OnGroupRefused(uint32_t code);
    virtual void OnAlerted(CZrObject* sender);
    virtual void OnHostGained();
    virtual void OnHostLost();
    virtual void OnNotice(uint32_t value);
    virtual void OnTargeted(CZrObject* object);
    virtual void OnTargetCleared();
    virtual void OnPaired(CZrObject* partner, const CZrPosition& oldPosition, uint32_t value);
    virtual void OnGroupCreated(uint32_t value);
    virtual void OnRequestError(uint32_t code, uint32_t kind, uint32_t value);
    virtual void OnDataReset(const CTvlBlob* oldData);
    virtual void OnDataRefused(uint32_t code);
    virtual void OnInfoChanged();
    virtual void OnFlagsChanged(CZrMemberFlags oldFlags);
    virtual void OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition);
    virtual void OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition);
    virtual void OnSignal(uint32_t value);
    virtual void OnKindChanged(uint32_t oldKind);

    CZrPersonInfo& GetPersonInfo() const;

    // A place link exists and the root place is ready (has an identifier).
    bool IsConnected();
    void SetChannel(IZrPersonLink* link) { m_link = link; }
    IZrPersonLink* GetChannel() const { return m_link; }
    // The place link forgets this person and is released.
    void DropChannel();
    bool IsHostOfParent() const;
    // Stores the texts, then OnInfoChanged.
    void SetIdentity(const std::string& fullName, const std::string& location, const std::string& email);
    // Stores the flags, then OnFlagsChanged with the old word.
    void SetFlags(CZrMemberFlags flags);
    // Leaves the parent, takes the position, joins the new parent, then
    // OnPlaced (operation 25).
    void MoveTo(CZrGroup& newParent, const CZrPosition& position);
    // Back to the place's group 1025 (operation 26); see the source. False
    // when the person is not in a place.
    bool ReturnToPlace();

    uint8_t GetNameTag() const { return m_nameTag; }
    void SetNameTag(uint8_t tag) { m_nameTag = tag; }
    CZrMemberFlags GetFlags() const { return m_flags; }
    // Set once when the person is made and never cleared.
    bool IsActive() const { return m_active != 0; }
    bool IsTargetPending() const { return m_targetPending != 0; }
    void SetTargetPending(bool pending) { m_targetPending = pending ? 1 : 0; }

    // Member records of group requests not yet answered, oldest first.
    void AddPending(const CZrMemberHandle& record) { m_pending.push_back(record); }
    bool HasPending() const { return !m_pending.empty(); }
    // Takes the oldest pending record; false when there is none.
    bool TakePending(CZrMemberHandle& record);
    void ClearPending() { m_pending.clear(); }

private:
    uint8_t m_nameTag;
    CZrMemberFlags m_flags;
    IZrPersonLink* m_link;
    std::deque<CZrMemberHandle> m_pending;
    int32_t m_targetPending;
    int32_t m_active;
};
