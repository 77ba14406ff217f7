#include "UcmError.h"

namespace {

struct ErrorRow {
    int32_t systemError;
    int32_t code;
};

constexpr ErrorRow kErrorTable[] = {
    {UcmSys::kBadHandle, UcmCode::kNotPossible},
    {UcmSys::kInvalid, UcmCode::kNotPossible},
    {UcmSys::kIsConnected, UcmCode::kNotPossible},
    {UcmSys::kNotConnected, UcmCode::kNotPossible},
    {UcmSys::kShutDown, UcmCode::kNotPossible},
    {UcmSys::kNoBuffers, UcmCode::kNoBuffers},
    {UcmSys::kAccess, UcmCode::kAccess},
    {UcmSys::kTooManySockets, UcmCode::kTooManySockets},
    {UcmSys::kAddressInUse, UcmCode::kAddressInUse},
    {UcmSys::kNetDown, UcmCode::kNetDown},
    {UcmSys::kNetUnreachable, UcmCode::kNetDown},
    {UcmSys::kSysNotReady, UcmCode::kNetDown},
    {UcmSys::kHostDown, UcmCode::kHostDown},
    {UcmSys::kHostUnreachable, UcmCode::kHostUnreachable},
    {UcmSys::kHostNotFound, UcmCode::kHostNotFound},
    {UcmSys::kNoData, UcmCode::kHostNotFound},
    {UcmSys::kNoRecovery, UcmCode::kLookupFailed},
    {UcmSys::kTryAgain, UcmCode::kLookupNotNow},
    {UcmSys::kConnAborted, UcmCode::kAborted},
    {UcmSys::kConnRefused, UcmCode::kRefused},
    {UcmSys::kNetReset, UcmCode::kReset},
    {UcmSys::kConnReset, UcmCode::kReset},
    {UcmSys::kTimedOut, UcmCode::kTimedOut},
    {UcmSys::kDisconnected, UcmCode::kOrderlyEnd},
};

} // namespace

int32_t UcmCodeFromError(int32_t defaultCode, int32_t systemError)
{
    for (const ErrorRow& row : kErrorTable) {
        if (row.systemError == systemError)
            return row.code;
    }
    return defaultCode;
}
