#include "tools/tamarack-host/HostDataObject.h"

#include <cstring>

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
    // DROPFILES, then each ANSI path with its terminator, then one more terminator.
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : m_paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory)
        return E_OUTOFMEMORY;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    if (!drop) {
        GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* text = reinterpret_cast<char*>(drop + 1);
    for (const std::string& path : m_paths) {
        std::memcpy(text, path.c_str(), path.size() + 1);
        text += path.size() + 1;
    }
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
