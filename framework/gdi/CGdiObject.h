// Base of the GDI object wrappers: the object deletes the GDI object it
// created or attached; wrappers made by FromHandle only borrow it.
#pragma once
#include <windows.h>

#include <memory>

#include "TempObjects.h"

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject();

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  bool Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  bool DeleteObject();
  int GetObject(int size, void* buffer) const;

 protected:
  // A borrowing wrapper of type T for handle, valid until idle.
  template <class T>
  static T* TempFromHandle(HGDIOBJ handle) {
    if (!handle) {
      return nullptr;
    }
    static thread_local zr::TempMap<T, HGDIOBJ> temps;
    return temps.Get(handle, [](HGDIOBJ h) {
      auto wrapper = std::make_unique<T>();
      wrapper->m_hObject = h;
      return wrapper;
    });
  }

 private:
  bool m_owned = false;
};
