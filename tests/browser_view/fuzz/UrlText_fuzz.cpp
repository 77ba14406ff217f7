// Feeds arbitrary page URLs to the URL operations and the login-value parse:
// no overread, no crash, and the invariants of their results hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CWebLoginParams.h"
#include "CZrUrlText.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string url(reinterpret_cast<const char*>(data), size);

  const char* const keys[] = {"nickname", "pswd", "Guest", "f", "Part1", ""};
  for (const char* key : keys) {
    std::string value;
    size_t keyPos = 0;
    if (CZrUrlText::FindUrlParameter(url, key, 1, value, &keyPos)) {
      Check(keyPos <= url.size());
      Check(value.size() <= url.size());
    }
  }

  std::string unescaped = url;
  CZrUrlText::UrlUnescape(unescaped);
  Check(unescaped.size() <= url.size());
  Check(unescaped.find('\0') == std::string::npos || url.find('\0') != std::string::npos);

  Check(!CZrUrlText::UrlsEqual(url, url) == url.empty());
  Check(!CZrUrlText::UrlsEqualLoose(url, url) == url.empty());
  const size_t half = size / 2;
  CZrUrlText::UrlsEqual(url.substr(0, half), url.substr(half));
  CZrUrlText::UrlsEqualLoose(url.substr(0, half), url.substr(half));

  CWebLoginParams params;
  if (params.Parse(url)) {
    Check(CZrUrlText::StartsWithTrimmed(CWebLoginParams::kScheme, url));
    Check(params.GetNickname().size() <= url.size());
  } else {
    Check(!params.HasLoginValues());
  }
  return 0;
}
