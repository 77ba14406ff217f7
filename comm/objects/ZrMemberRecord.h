// CZrMemberRecord and CZrMemberHandle: the member data of an object, shared
// between the object's info and the session's registrations.
#pragma once

#include <cstdint>
#include <memory>

#include "TvlBlob.h"
#include "TvlObject.h"
#include "ZrRegistrationRecord.h"

// The body: an 8-bit serial, the data flag (the object has member data) and
// the member data itself, owned by the body.
class CZrMemberRecord : public CTvlObject, public IZrRegistrationRecord {
public:
    CZrMemberRecord();

    uint8_t Serial() const override { return m_serial; }
    void SetSerial(uint8_t serial) { m_serial = serial; }
    // 1 when the object has member data, else 0.
    uint32_t DataFlag() const override { return m_dataFlag; }
    void SetDataFlag(bool flag) { m_dataFlag = flag ? 1 : 0; }
    // The member data, or nullptr when none is held.
    CTvlBlob* GetData() const { return m_data.get(); }
    // Replaces the data and hands the old data back to the caller.
    std::unique_ptr<CTvlBlob> ReplaceData(std::unique_ptr<CTvlBlob> data);

private:
    uint8_t m_serial;
    uint32_t m_dataFlag;
    std::unique_ptr<CTvlBlob> m_data;
};

// A counted handle of a member record body: copying a handle counts the body
// up, dropping one counts it down, and the body goes with its last handle.
// A new handle holds a fresh body of its own. The session's registrations
// keep the same bodies through the shared pointer.
class CZrMemberHandle {
public:
    CZrMemberHandle();
    explicit CZrMemberHandle(std::shared_ptr<CZrMemberRecord> body);

    CZrMemberRecord& Body() const { return *m_body; }
    CZrMemberRecord* operator->() const { return m_body.get(); }
    // How many handles hold the body.
    int32_t UseCount() const { return static_cast<int32_t>(m_body.use_count()); }
    const std::shared_ptr<CZrMemberRecord>& Shared() const { return m_body; }
    bool SharesBodyWith(const CZrMemberHandle& other) const { return m_body == other.m_body; }
    // Drops this handle's body and holds the other's instead.
    void ShareBodyOf(const CZrMemberHandle& other) { m_body = other.m_body; }

private:
    std::shared_ptr<CZrMemberRecord> m_body;
};
