#include "COlePropertyPage.h"

#include "COleObjectFactory.h"

COlePropertyPage::COlePropertyPage(UINT dialogId, UINT captionString)
    : m_dialogId(dialogId), m_captionString(captionString) {
  COleObjectFactory::LockModule();
}

COlePropertyPage::~COlePropertyPage() {
  Deactivate();
  ReleaseObjects();
  if (m_site) m_site->Release();
  COleObjectFactory::UnlockModule();
}

STDMETHODIMP COlePropertyPage::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
    *out = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COlePropertyPage::AddRef() { return ::InterlockedIncrement(&m_references); }

STDMETHODIMP_(ULONG) COlePropertyPage::Release() {
  const ULONG left = ::InterlockedDecrement(&m_references);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP COlePropertyPage::SetPageSite(IPropertyPageSite* site) {
  if (site) site->AddRef();
  if (m_site) m_site->Release();
  m_site = site;
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Activate(HWND parent, LPCRECT position, BOOL) {
  if (!position) return E_POINTER;
  if (m_dialog) return E_UNEXPECTED;
  m_dialog = ::CreateDialogParamW(COleObjectFactory::Module(), MAKEINTRESOURCEW(m_dialogId), parent, DialogProc, 0);
  if (!m_dialog) return E_FAIL;
  Move(position);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Deactivate() {
  if (m_dialog) ::DestroyWindow(m_dialog);
  m_dialog = nullptr;
  return S_OK;
}

STDMETHODIMP COlePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  wchar_t caption[128] = {};
  ::LoadStringW(COleObjectFactory::Module(), m_captionString, caption, 128);
  const size_t bytes = (::lstrlenW(caption) + 1) * sizeof(wchar_t);
  info->pszTitle = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
  if (!info->pszTitle) return E_OUTOFMEMORY;
  ::CopyMemory(info->pszTitle, caption, bytes);
  info->size = SIZE{250, 62};
  // The page's size is its dialog's, in pixels of the screen.
  HWND probe = ::CreateDialogParamW(COleObjectFactory::Module(), MAKEINTRESOURCEW(m_dialogId), nullptr, DialogProc, 0);
  if (probe) {
    RECT area{};
    ::GetWindowRect(probe, &area);
    info->size = SIZE{area.right - area.left, area.bottom - area.top};
    ::DestroyWindow(probe);
  }
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  return S_OK;
}

STDMETHODIMP COlePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  ReleaseObjects();
  for (ULONG i = 0; objects && i < count; ++i) {
    if (!objects[i]) continue;
    objects[i]->AddRef();
    m_objects.push_back(objects[i]);
  }
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Show(UINT show) {
  if (!m_dialog) return E_UNEXPECTED;
  ::ShowWindow(m_dialog, show);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Move(LPCRECT position) {
  if (!position) return E_POINTER;
  if (!m_dialog) return E_UNEXPECTED;
  ::MoveWindow(m_dialog, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  return S_OK;
}

void COlePropertyPage::ReleaseObjects() {
  for (IUnknown* object : m_objects) object->Release();
  m_objects.clear();
}
