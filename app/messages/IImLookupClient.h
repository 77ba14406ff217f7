// A dialog waiting for the answer to its recipient look-up.
#pragma once

#include <vector>

#include "ImLookupDecision.h"

class IImLookupClient {
 public:
  virtual void OnLookupResult(const std::vector<CImLookupResult>& results) = 0;

 protected:
  ~IImLookupClient() = default;
};
