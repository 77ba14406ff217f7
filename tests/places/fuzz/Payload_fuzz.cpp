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
  // A received name is as long as its length byte says; one that a payload
  // can carry comes back unchanged from a payload built of it.
  std::string name;
  if (payload.GetString(name)) {
    if (name.empty() || name.size() != data[2])
      __builtin_trap();
    std::string back;
    const auto rebuilt = CPayload::MakeString(name);
    if (name.size() <= CPayload::kMaxNameLength && !(rebuilt && rebuilt->GetString(back) && back == name))
      __builtin_trap();
  }
  CIdentityTexts texts;
  if (payload.ReadIdentity(texts)) {
    if (texts.gender.size() > CPayload::kMaxIdentityText || texts.quote.size() > CPayload::kMaxIdentityText)
      __builtin_trap();
    CPayload::MakeIdentity(texts);
  }
  return 0;
}
