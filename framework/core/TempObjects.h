// Temporary wrapper objects for handles the framework does not own
// (CWnd::FromHandle of a foreign window, a menu's sub-menu, a DC passed in a
// message). They live until the application's idle time.
#pragma once
#include <functional>
#include <memory>
#include <unordered_map>

namespace zr {

void RegisterTempMapCleaner(std::function<void()> cleaner);
// Deletes every temporary wrapper of this thread.
void DeleteTempObjects();

template <class T, class Handle>
class TempMap {
 public:
  // The wrapper for handle, made with make(handle) on first use.
  template <class Make>
  T* Get(Handle handle, Make make) {
    if (!registered_) {
      registered_ = true;
      RegisterTempMapCleaner([this] { Clear(); });
    }
    auto it = objects_.find(handle);
    if (it == objects_.end()) {
      it = objects_.emplace(handle, make(handle)).first;
    }
    return it->second.get();
  }
  void Clear() { objects_.clear(); }

 private:
  std::unordered_map<Handle, std::unique_ptr<T>> objects_;
  bool registered_ = false;
};

}  // namespace zr
