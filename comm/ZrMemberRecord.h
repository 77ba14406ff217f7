// CZrMemberRecord and CZrMemberHandle: the member data of an object, shared
// between the object's info and the session's registrations.
#pragma once

#include <cstdint>
#include <memory>

#include "TvlBlob.h"
#include "TvlObject.h"

// The body: an 8-bit serial, the data flag (the object has member data) and
// the member data itself, owned by the body.
class CZrMemberRecord : public CTvlObject {
public:
    CZrMemberRecord();

    uint8_t GetSerial() const { return m_serial; }
    void SetSerial(uint8_t serial) { m_serial = serial; }
    bool GetDataFlag() const { return m_dataFlag != 0; }
    void SetDataFlag(bool flag) { m_dataFlag = flag ? 1 : 0; }
    // The member data, or nullptr when none is held.
    CTvlBlob* GetData() const { return m_data.get(); }
    // Replaces the data and hands the old data back to the caller.
    std::unique_ptr<CTvlBlob> ReplaceData(std::unique_ptr<CTvlBlob> data);

private:
    uint8_t m_serial;
    int32_t m_dataFlag;
    std::unique_ptr<CTvlBlob> m_data;
};

// A counted handle of a member record body: copying a handle counts the body
// up, dropping one counts it down, and the body goes with its last handle.
// A new handle holds a fresh body of its own.
class CZrMemberHandle {
public:
    CZrMemberHandle();

    CZrMemberRecord& Body() const { return *m_body; }
    CZrMemberRecord* operator->() const { return m_body.get(); }
    // How many handles hold the body.
    long UseCount() const { return m_body.use_count(); }
    bool SharesBodyWith(const CZrMemberHandle& other) const { return m_body == other.m_body; }
    // Drops this handle's body and holds the other's instead.
    void ShareBodyOf(const CZrMemberHandle& other) { m_body = other.m_body; }

private:
    std::shared_ptr<CZrMemberRecord> m_body;
};
