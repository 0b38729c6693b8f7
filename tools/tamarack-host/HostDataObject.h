// A data object like the file manager's: it holds a list of paths (UTF-8) and hands them
// out as CF_HDROP data of wide paths in global memory, a fresh copy for each request.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/ComTypes.h"

namespace tamarackhost {

class HostDataObject final : public IDataObject {
  public:
    // The object starts with one reference, the caller's.
    explicit HostDataObject(std::vector<std::string> paths);
    HostDataObject(const HostDataObject&) = delete;
    HostDataObject& operator=(const HostDataObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** out) override;

  private:
    ~HostDataObject() = default;

    LONG m_references = 1;
    std::vector<std::string> m_paths;
};

}  // namespace tamarackhost
