#include "CGdiObject.h"

CGdiObject::~CGdiObject() {
  if (m_owned) {
    DeleteObject();
  }
}

bool CGdiObject::Attach(HGDIOBJ object) {
  if (!object || m_hObject) {
    return false;
  }
  m_hObject = object;
  m_owned = true;
  return true;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  m_owned = false;
  return object;
}

bool CGdiObject::DeleteObject() {
  HGDIOBJ object = Detach();
  return object && ::DeleteObject(object);
}

int CGdiObject::GetObject(int size, void* buffer) const {
  return ::GetObjectA(m_hObject, size, buffer);
}
