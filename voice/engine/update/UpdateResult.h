// Results of the update client.
#pragma once

#include <cstdint>

namespace UpdateResult {
constexpr int32_t kDone = 0;
constexpr int32_t kRestartNeeded = 1;
constexpr int32_t kBadListLine = 102;
constexpr int32_t kListNotAvailable = 103;
constexpr int32_t kDownloadFailed = 104;
constexpr int32_t kCancelled = 105;
constexpr int32_t kNoPluginFolder = 106;
constexpr int32_t kNoTemporaryFolder = 107;
constexpr int32_t kNoServerFolder = 108;
constexpr int32_t kNoInstallFolder = 109;
constexpr int32_t kInstallFailed = 110;
} // namespace UpdateResult

// Error log categories the update client writes to.
namespace UpdateLog {
constexpr unsigned kDownload = 3;
constexpr unsigned kAuthentication = 6;
} // namespace UpdateLog
