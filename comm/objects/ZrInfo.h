// CZrInfo: the info record of a tree object (name, member record, items).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TvlObject.h"
#include "ZrItemTable.h"
#include "ZrMemberRecord.h"

class IZrTreeHost;
class TvlNdr;

// Coded as a flag byte (1 = full form), the name, the member record (serial
// byte, data flag, and the member data only in the full form when the flag
// is set) and the item table.
class CZrInfo : public CTvlObject {
public:
    CZrInfo();
    // A copy shares the member record body and copies the items.
    CZrInfo(const CZrInfo& other) = default;
    CZrInfo& operator=(const CZrInfo& other) = default;

    virtual void Write(TvlNdr& writer, bool full) const;
    // Reads the coded form over this record. Member data goes into a blob
    // that the host makes (a blob of the place's own class during a
    // dispatch) or, without a host, into a plain blob.
    virtual bool Read(TvlNdr& reader, IZrTreeHost* host);

    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    bool IsDataRequested() const { return m_dataRequested != 0; }
    void SetDataRequested(bool requested) { m_dataRequested = requested ? 1 : 0; }
    CZrMemberHandle& Member() { return m_member; }
    const CZrMemberHandle& Member() const { return m_member; }
    // Replaces the member data (clearing the data-requested mark) and hands
    // the old data back.
    std::unique_ptr<CTvlBlob> ReplaceMemberData(std::unique_ptr<CTvlBlob> data);
    CZrItemTable& Items() { return m_items; }
    const CZrItemTable& Items() const { return m_items; }

private:
    std::string m_name;
    int32_t m_dataRequested;
    CZrMemberHandle m_member;
    CZrItemTable m_items;
};
