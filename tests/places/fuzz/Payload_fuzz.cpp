// Fuzz target of the payload readers: any block a member may whisper.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CPayload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CPayload payload(CTvlBlob(static_cast<uint32_t>(size), size ? data : nullptr));
  payload.GetByte();
  payload.GetCode();
  uint32_t length = 0;
  payload.Data(length);
  std::string name;
  if (payload.GetString(name) && CPayload::MakeString(name) == nullptr)
    __builtin_trap();
  CIdentityTexts texts;
  if (payload.ReadIdentity(texts)) {
    if (texts.gender.size() > CPayload::kMaxIdentityText || texts.quote.size() > CPayload::kMaxIdentityText)
      __builtin_trap();
    CPayload::MakeIdentity(texts);
  }
  return 0;
}
