#include "COleClientItem.h"

#include "COleItemSite.h"

COleClientItem::COleClientItem() = default;

COleClientItem::~COleClientItem() { Close(); }

HRESULT COleClientItem::CreateFromClass(REFCLSID classId, HWND container) {
  Close();
  m_container = container;
  IOleObject* object = nullptr;
  HRESULT result = ::CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&object));
  if (FAILED(result)) return result;
  m_object = object;
  m_site = new COleItemSite(*this);
  result = m_object->SetClientSite(m_site);
  if (SUCCEEDED(result)) result = m_object->Advise(m_site, &m_advise);
  if (FAILED(result)) Close();
  return result;
}

HRESULT COleClientItem::DoVerb(LONG verb) {
  if (!m_object) return E_UNEXPECTED;
  RECT position{};
  GetItemPosition(position);
  const HRESULT result = m_object->DoVerb(verb, nullptr, m_site, -1, m_container, &position);
  if (SUCCEEDED(result)) m_itemWindow = QueryItemWindow();
  return result;
}

HWND COleClientItem::QueryItemWindow() const {
  if (!m_object) return nullptr;
  IOleInPlaceObject* inPlace = nullptr;
  if (FAILED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) return nullptr;
  HWND window = nullptr;
  if (FAILED(inPlace->GetWindow(&window))) window = nullptr;
  inPlace->Release();
  return window;
}

void COleClientItem::SetItemRects() {
  if (!m_object) return;
  IOleInPlaceObject* inPlace = nullptr;
  if (FAILED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) return;
  RECT position{};
  GetItemPosition(position);
  inPlace->SetObjectRects(&position, &position);
  inPlace->Release();
}

void COleClientItem::Close() {
  if (m_object) {
    if (m_advise) m_object->Unadvise(m_advise);
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    m_object->Release();
    m_object = nullptr;
  }
  m_advise = 0;
  m_itemWindow = nullptr;
  if (m_site) {
    m_site->Detach();
    m_site->Release();
    m_site = nullptr;
  }
}

void COleClientItem::GetItemPosition(RECT& position) const {
  position = RECT{};
  if (m_container) ::GetClientRect(m_container, &position);
}

void COleClientItem::OnChange(UINT, DWORD) {}
