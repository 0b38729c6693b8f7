#include "shellext/CDllIClassFactory.h"

#include <new>

#include "logging/core/CLogger.h"
#include "shellext/CShellExt.h"
#include "shellext/Module.h"

namespace tamarack {

CDllIClassFactory::CDllIClassFactory() {
    ObtainLogger(FactoryLogger, FactoryLoggerName);
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::CDllIClassFactory (RefThisDll:%d)",
                                RefThisDll + 1);
    ++RefThisDll;
}

CDllIClassFactory::~CDllIClassFactory() {
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::~CDllIClassFactory (RefThisDll:%d)",
                                RefThisDll - 1);
    --RefThisDll;
}

HRESULT CDllIClassFactory::QueryInterface(REFIID riid, void** object) {
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::QueryInterface");
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
        return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG CDllIClassFactory::AddRef() {
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::AddRef");
    return static_cast<ULONG>(++m_refCount);
}

ULONG CDllIClassFactory::Release() {
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::Release");
    LONG count = --m_refCount;
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CDllIClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::CreateInstance");
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    CShellExt* handler = new (std::nothrow) CShellExt;
    if (!handler)
        return E_OUTOFMEMORY;
    // Held while asking, so that a refused interface releases the new object again.
    handler->AddRef();
    HRESULT result = handler->QueryInterface(riid, object);
    handler->Release();
    return result;
}

HRESULT CDllIClassFactory::LockServer(BOOL) {
    if (FactoryLogger)
        FactoryLogger->LogDebug("CDllIClassFactory::LockServer");
    return S_OK;
}

}  // namespace tamarack
