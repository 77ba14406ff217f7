#include "ZrReasonFromUcm.h"

#include "UcmError.h"

namespace {

struct ReasonRow {
    int32_t code;
    int32_t connecting;
    int32_t broken;
};

constexpr ReasonRow kReasons[] = {
    {UcmCode::kNotPossible, 1, 1},
    {UcmCode::kNoBuffers, 203, 203},
    {UcmCode::kAccess, 204, 204},
    {UcmCode::kTooManySockets, 205, 205},
    {6, 206, 206},
    {UcmCode::kNetDown, 207, 207},
    {UcmCode::kHostDown, 208, 208},
    {UcmCode::kHostUnreachable, 209, 209},
    {UcmCode::kFraming, 210, 210},
    {UcmCode::kNoMemory, 211, 211},
    {UcmCode::kProxy, 212, 212},
    {UcmCode::kHostNotFound, 239, 239},
    {UcmCode::kLookupFailed, 238, 238},
    {UcmCode::kLookupNotNow, 237, 237},
    {UcmCode::kLost, 240, 240},
    {UcmCode::kAborted, 241, 241},
    {UcmCode::kRefused, 217, 242},
    {UcmCode::kReset, 243, 243},
    {UcmCode::kTimedOut, 244, 244},
    {UcmCode::kOrderlyEnd, 214, 245},
};

constexpr int32_t kOtherConnecting = 218;
constexpr int32_t kOtherBroken = 245;

} // namespace

int32_t ZrReasonFromUcm(int32_t code, EZrPhase phase)
{
    const bool broken = phase == EZrPhase::kBroken;
    for (const ReasonRow& row : kReasons) {
        if (row.code == code)
            return broken ? row.broken : row.connecting;
    }
    return broken ? kOtherBroken : kOtherConnecting;
}
