#include "TempObjects.h"

#include <vector>

namespace zr {

namespace {

std::vector<std::function<void()>>& Cleaners() {
  static thread_local std::vector<std::function<void()>> cleaners;
  return cleaners;
}

}  // namespace

void RegisterTempMapCleaner(std::function<void()> cleaner) {
  Cleaners().push_back(std::move(cleaner));
}

void DeleteTempObjects() {
  for (auto& clean : Cleaners()) {
    clean();
  }
}

}  // namespace zr
