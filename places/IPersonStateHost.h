// IPersonStateHost: what the person state list asks of the application: to
// show a changed ignore state and to create a Send Instant Message dialog.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "IPersonDialog.h"

class IPersonStateHost {
public:
    // Tells the voice control, repaints the person's avatar (and its group's
    // row or one-on-one) and redraws the people list.
    virtual void ShowIgnoreState(uint32_t person, int32_t state) = 0;
    // A new Send Instant Message dialog for the person (0: not tied to one).
    virtual std::unique_ptr<IPersonDialog> CreateSendImDlg(uint32_t person, const std::string& name) = 0;

protected:
    ~IPersonStateHost() = default;
};
