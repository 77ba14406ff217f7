// The reason codes that places and the user interface see for a failure of
// the socket manager.
#pragma once

#include <cstdint>

enum class EZrPhase : int32_t {
    kConnecting = 0, // on the way up: look-up, connect, first frame, hello
    kBroken = 1,     // an established connection broke
};

// The reason for a library code of the socket manager in a phase.
int32_t ZrReasonFromUcm(int32_t code, EZrPhase phase);
