// IPersonDialog: a modeless dialog that belongs to one person (its Send
// Instant Message or identity dialog). Deleting it destroys its window.
#pragma once

#include "TvlBlob.h"

class IPersonDialog {
public:
    virtual ~IPersonDialog() = default;
    // Shows it modeless, or brings it to the top when it is shown.
    virtual void Raise() = 0;
    // A picture of the person arrived (its encoded bytes).
    virtual void SetPicture(const CTvlBlob& picture) = 0;
};
