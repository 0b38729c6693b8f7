// A data object of the stand-in shell holding a list of paths as its CF_HDROP data,
// with a reference count that tests read back.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/StandInShellServices.h"

namespace shellexttest {

class StandInDataObject : public IDataObject {
  public:
    explicit StandInDataObject(std::vector<std::string> paths) : paths(std::move(paths)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject))
            return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!hasDropData || format->cfFormat != CF_HDROP || format->tymed != TYMED_HGLOBAL ||
            format->dwAspect != DVASPECT_CONTENT || format->lindex != -1)
            return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = platform::shell::StandInShellServices::DropHandle(&paths);
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_FAIL; }

    std::vector<std::string> paths;
    bool hasDropData = true;
    int references = 1;  // the test's own
};

}  // namespace shellexttest
