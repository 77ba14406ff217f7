// COlePropertyPage: a property page of a control, shown by a property frame:
// a child dialog made from a template of this module with a caption from its
// string table. A page class derives from it to exchange its fields with the
// objects it edits; the base keeps them and shows the dialog.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

class COlePropertyPage : public IPropertyPage {
 public:
  COlePropertyPage(UINT dialogId, UINT captionString);
  COlePropertyPage(const COlePropertyPage&) = delete;
  COlePropertyPage& operator=(const COlePropertyPage&) = delete;

  template <typename Page>
  static HRESULT CreateObject(REFIID iid, void** out) {
    Page* page = new Page();
    const HRESULT result = page->QueryInterface(iid, out);
    page->Release();
    return result;
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT position, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT show) override;
  STDMETHODIMP Move(LPCRECT position) override;
  STDMETHODIMP IsPageDirty() override { return S_FALSE; }
  STDMETHODIMP Apply() override { return S_OK; }
  STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

 protected:
  virtual ~COlePropertyPage();

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
  void ReleaseObjects();

  LONG m_references = 1;
  UINT m_dialogId;
  UINT m_captionString;
  HWND m_dialog = nullptr;
  IPropertyPageSite* m_site = nullptr;
  std::vector<IUnknown*> m_objects;
};
