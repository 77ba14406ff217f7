// CZrRegistrationList: the session's member records by object identifier.
#pragma once

#include <cstdint>
#include <list>

#include "TvlObject.h"
#include "ZrRegistrationRecord.h"

// Records are kept oldest first. A record pairs an object identifier with a
// handle to a shared member record body.
class CZrRegistrationList : public CTvlObject {
public:
    struct Record {
        uint32_t id;
        ZrRecordHandle handle;
    };

    // The handle registered for the identifier, or nullptr.
    const ZrRecordHandle* Find(uint32_t id) const;

    // Registers a handle for the identifier. Without a record one is added.
    // With one: a body held by the record alone is replaced when the serial
    // differs; a shared body with another serial refuses; an equal serial
    // refuses when the data flags differ, and otherwise `handle` is made to
    // share the record's body. False when refused.
    bool Register(uint32_t id, ZrRecordHandle& handle);

    // Drops every record held alone without member data; then, while the
    // records held alone and the shared records with data number more than
    // `limit`, the oldest records held alone.
    void Prune(uint32_t limit);

    size_t Size() const { return m_records.size(); }
    const std::list<Record>& Records() const { return m_records; }

private:
    std::list<Record> m_records;
};
