// The arguments that an engine event's payload gives a control event, in the
// payload's field order.
#pragma once

#include "CEventArguments.h"

#include <cstdint>

// Adds the payload's fields for event code; false when the code carries
// nothing to fire or its payload is missing (code 0 needs none).
bool AddEventPayload(int32_t code, const void* payload, CEventArguments& arguments);
