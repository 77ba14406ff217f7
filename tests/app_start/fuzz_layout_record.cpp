// The layout text comes from the settings file: any text is either refused
// or parsed into ratios that format back to an equal record, and any ratios
// give pane sizes within the window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ZrLayoutRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CZrLayoutRecord record;
  if (!record.ParseWindowRect(text)) {
    if (record.m_loaded || record.m_valid) std::abort();
    return 0;
  }
  CZrLayoutRecord copy;
  if (!copy.ParseWindowRect(record.FormatWindowRect()) ||
      copy.FormatWindowRect() != record.FormatWindowRect())
    std::abort();
  for (int32_t mode = 0; mode <= 4; ++mode) {
    CZrLayoutRecord::PaneRequest request;
    request.mode = mode;
    request.width = static_cast<int32_t>(size * 37 % 4000);
    request.height = static_cast<int32_t>(size * 53 % 3000);
    request.toolBarHeight = 30;
    request.statusBarHeight = 20;
    const CZrLayoutRecord::PaneSizes sizes = record.LayoutMainPanes(request);
    if (sizes.height < 0 || sizes.side > sizes.width - CZrLayoutRecord::kMinPeopleWidth) std::abort();
    if (mode == CZrLayoutRecord::kAvatarsOnly && sizes.upper < 0) std::abort();
  }
  return 0;
}
