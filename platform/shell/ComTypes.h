// The COM and shell types the extension's objects are written against. On Windows this
// is the real SDK; elsewhere it is a small declaration of the same interfaces, types
// and constants, so that the COM objects build and run natively on the stand-in shell.
#pragma once

#ifdef _WIN32

#include <ole2.h>
#include <olectl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>
#undef GetClassName

#else

#include <cstdint>

using HRESULT = int32_t;
using ULONG = uint32_t;
using LONG = int32_t;
using UINT = unsigned int;
using DWORD = uint32_t;
using WORD = uint16_t;
using BOOL = int;
using UINT_PTR = uintptr_t;
using ULONG_PTR = uintptr_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPCWSTR = const wchar_t*;
using HGLOBAL = void*;
using HANDLE = void*;

struct HMENU__;
struct HBITMAP__;
struct HWND__;
struct HINSTANCE__;
struct HKEY__;
struct HDROP__;
using HMENU = HMENU__*;
using HBITMAP = HBITMAP__*;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HKEY = HKEY__*;
using HDROP = HDROP__*;

#define STDMETHODCALLTYPE
#define STDAPI extern "C" HRESULT

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool IsEqualGUID(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
inline bool IsEqualIID(const IID& a, const IID& b) {
    return IsEqualGUID(a, b);
}

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
#define MAKE_HRESULT(severity, facility, code)                     \
    static_cast<HRESULT>((static_cast<uint32_t>(severity) << 31) | \
                         (static_cast<uint32_t>(facility) << 16) | static_cast<uint32_t>(code))
#define SEVERITY_SUCCESS 0
#define FACILITY_NULL 0
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define HIWORD(value) (static_cast<WORD>((static_cast<uintptr_t>(value) >> 16) & 0xFFFF))
#define LOWORD(value) (static_cast<WORD>(static_cast<uintptr_t>(value) & 0xFFFF))

constexpr UINT CMF_NORMAL = 0x0;
constexpr UINT CMF_DEFAULTONLY = 0x1;
constexpr UINT CMF_VERBSONLY = 0x2;
constexpr UINT CMF_EXPLORE = 0x4;
constexpr UINT CMF_NOVERBS = 0x8;
constexpr UINT CMF_OPTIMIZEFORINVOKE = 0x800;
constexpr UINT MF_STRING = 0x0;
constexpr UINT MF_SEPARATOR = 0x800;
constexpr UINT MF_BYPOSITION = 0x400;
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_HDROP = 15;
constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr UINT MB_ICONHAND = 0x10;
constexpr int SW_SHOWNORMAL = 1;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))

struct DVTARGETDEVICE;
struct ITEMIDLIST;
struct IEnumFORMATETC;
struct IAdviseSink;
struct IEnumSTATDATA;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

struct FORMATETC {
    WORD cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~IUnknown() = default;
};

struct STGMEDIUM {
    DWORD tymed;
    HGLOBAL hGlobal;
    IUnknown* pUnkForRelease;
};

// Only GetData is used; the other slots keep the interface's shape.
struct IDataObject : IUnknown {
    virtual HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
    virtual HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) = 0;
    virtual HRESULT QueryGetData(FORMATETC* format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) = 0;
    virtual HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) = 0;
    virtual HRESULT DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                            DWORD* connection) = 0;
    virtual HRESULT DUnadvise(DWORD connection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** enumerator) = 0;

  protected:
    ~IDataObject() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

  protected:
    ~IClassFactory() = default;
};

struct IShellExtInit : IUnknown {
    virtual HRESULT Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* dataObject,
                               HKEY programIdKey) = 0;

  protected:
    ~IShellExtInit() = default;
};

struct CMINVOKECOMMANDINFO {
    DWORD cbSize;
    DWORD fMask;
    HWND hwnd;
    LPCSTR lpVerb;
    LPCSTR lpParameters;
    LPCSTR lpDirectory;
    int nShow;
    DWORD dwHotKey;
    HANDLE hIcon;
};
using LPCMINVOKECOMMANDINFO = CMINVOKECOMMANDINFO*;

struct IContextMenu : IUnknown {
    virtual HRESULT QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                     UINT flags) = 0;
    virtual HRESULT InvokeCommand(CMINVOKECOMMANDINFO* invocation) = 0;
    virtual HRESULT GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* name,
                                     UINT nameSize) = 0;

  protected:
    ~IContextMenu() = default;
};

// The published identifiers of the interfaces.
constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_IClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_IDataObject = {
    0x0000010E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_IShellExtInit = {
    0x000214E8, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_IContextMenu = {
    0x000214E4, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

#endif
