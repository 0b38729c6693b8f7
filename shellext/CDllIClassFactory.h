// The class factory of CShellExt, as DllGetClassObject hands it to COM.
#pragma once

#include "platform/shell/ComTypes.h"

namespace tamarack {

class CDllIClassFactory final : public IClassFactory {
  public:
    CDllIClassFactory();
    CDllIClassFactory(const CDllIClassFactory&) = delete;
    CDllIClassFactory& operator=(const CDllIClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ~CDllIClassFactory();

    LONG m_refCount = 0;
};

}  // namespace tamarack
