#include "tools/tamarack-host/HostDataObject.h"

#include <cstring>

#include "platform/WideText.h"

namespace tamarackhost {

HostDataObject::HostDataObject(std::vector<std::string> paths) : m_paths(std::move(paths)) {}

HRESULT HostDataObject::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject))
        return E_NOINTERFACE;
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

ULONG HostDataObject::AddRef() {
    return static_cast<ULONG>(++m_references);
}

ULONG HostDataObject::Release() {
    LONG count = --m_references;
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT HostDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium)
        return E_POINTER;
    if (QueryGetData(format) != S_OK)
        return DV_E_FORMATETC;
    // DROPFILES, then each path in UTF-16 with its terminator, then one more terminator.
    std::wstring list;
    for (const std::string& path : m_paths)
        list += platform::WideFromUtf8(path) + L'\0';
    list += L'\0';
    size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory)
        return E_OUTOFMEMORY;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    if (!drop) {
        GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;  // the receiver frees the memory
    return S_OK;
}

HRESULT HostDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT HostDataObject::QueryGetData(FORMATETC* format) {
    if (!format)
        return E_POINTER;
    bool dropFiles = format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) &&
                     format->dwAspect == DVASPECT_CONTENT;
    return dropFiles ? S_OK : DV_E_FORMATETC;
}

HRESULT HostDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT HostDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT HostDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

HRESULT HostDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT HostDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT HostDataObject::EnumDAdvise(IEnumSTATDATA** out) {
    if (out)
        *out = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace tamarackhost
