#include "CDownloadCallback.h"

STDMETHODIMP CDownloadCallback::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
        *object = static_cast<IBindStatusCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDownloadCallback::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CDownloadCallback::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP CDownloadCallback::GetBindInfo(DWORD* flags, BINDINFO* info)
{
    if (flags)
        *flags = BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE | BINDF_RESYNCHRONIZE;
    if (info && info->cbSize >= sizeof(DWORD)) {
        const ULONG size = info->cbSize;
        ZeroMemory(info, size);
        info->cbSize = size;
        info->dwBindVerb = BINDVERB_GET;
    }
    return S_OK;
}
