// IZrRegistrationRecord: the body of a shared member record, as far as the
// session's registrations need it.
#pragma once

#include <cstdint>
#include <memory>

// Handles to a body are shared pointers: copying a handle counts the body
// up, and a body held by one handle only is held alone.
class IZrRegistrationRecord {
public:
    virtual ~IZrRegistrationRecord() = default;

    virtual uint8_t Serial() const = 0;
    // Not 0 when the record carries member data.
    virtual uint32_t DataFlag() const = 0;
};

using ZrRecordHandle = std::shared_ptr<IZrRegistrationRecord>;
