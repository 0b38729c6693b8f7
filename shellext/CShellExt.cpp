#include "shellext/CShellExt.h"

#include <algorithm>

#include "logging/core/CLogger.h"
#include "platform/shell/ShellServices.h"
#include "shellext/MenuCommands.h"
#include "shellext/Module.h"
#include "shellext/PathText.h"

namespace tamarack {

using platform::shell::Services;
using platform::shell::ShellServices;

namespace {

constexpr UINT GetCommandStringUnicode = 0x4;

// Releases the medium of a data object's answer when it goes out of scope.
class HeldMedium {
  public:
    explicit HeldMedium(ShellServices& services) : m_services(services) {}
    ~HeldMedium() {
        if (m_held)
            m_services.ReleaseMedium(&medium);
    }
    HeldMedium(const HeldMedium&) = delete;
    HeldMedium& operator=(const HeldMedium&) = delete;
    void Hold() { m_held = true; }

    STGMEDIUM medium{};

  private:
    ShellServices& m_services;
    bool m_held = false;
};

}  // namespace

CShellExt::CShellExt() {
    ObtainLogger(HandlerLogger, HandlerLoggerName);
    if (HandlerLogger)
        HandlerLogger->LogDebug("CShellExt::CShellExt (RefThisDll:%d)", RefThisDll + 1);
    ++RefThisDll;
}

CShellExt::~CShellExt() {
    if (HandlerLogger)
        HandlerLogger->LogDebug("CShellExt::~CShellExt (RefThisDll:%d)", RefThisDll - 1);
    if (m_dataObject)
        m_dataObject->Release();
    --RefThisDll;
}

HRESULT CShellExt::QueryInterface(REFIID riid, void** object) {
    if (HandlerLogger)
        HandlerLogger->LogDebug("CShellExt::QueryInterface");
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IShellExtInit) || IsEqualIID(riid, IID_IUnknown))
        *object = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(riid, IID_IContextMenu))
        *object = static_cast<IContextMenu*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CShellExt::AddRef() {
    if (HandlerLogger)
        HandlerLogger->LogDebug("CShellExt::AddRef");
    return static_cast<ULONG>(++m_refCount);
}

ULONG CShellExt::Release() {
    if (HandlerLogger)
        HandlerLogger->LogDebug("CShellExt::Release");
    LONG count = --m_refCount;
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CShellExt::Initialize(PCIDLIST_ABSOLUTE, IDataObject* dataObject, HKEY) {
    if (HandlerLogger)
        HandlerLogger->LogDebug("CShellExt::Initialize");
    m_fileCount = 0;
    m_isDirectory = 0;
    m_szFileName.clear();
    m_selectedFiles.clear();
    if (!dataObject)
        return E_FAIL;
    // Taken before the old one is let go: the shell may pass the same object again.
    dataObject->AddRef();
    if (m_dataObject)
        m_dataObject->Release();
    m_dataObject = dataObject;

    ShellServices& services = Services();
    FORMATETC format = {static_cast<WORD>(CF_HDROP), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    HeldMedium held(services);
    if (FAILED(dataObject->GetData(&format, &held.medium))) {
        if (HandlerLogger)
            HandlerLogger->LogError("CShellExt::Inititalize FAILED(hRes)");
        return E_FAIL;
    }
    held.Hold();
    HGLOBAL drop = held.medium.hGlobal;
    try {
        m_fileCount = static_cast<int>(services.DropFileCount(drop));
        if (m_fileCount == 1) {
            services.DropFilePath(drop, 0, m_szFileName);
            DWORD attributes = services.FileAttributes(m_szFileName.c_str());
            m_isDirectory =
                attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY);
            if (HandlerLogger)
                HandlerLogger->LogDebug("szFileName=%s", m_szFileName.c_str());
            return S_OK;
        }
        m_selectedFiles.resize(static_cast<size_t>(std::max(m_fileCount, 0)));
        for (int index = 0; index < m_fileCount; ++index)
            services.DropFilePath(drop, static_cast<UINT>(index),
                                  m_selectedFiles[static_cast<size_t>(index)]);
    } catch (...) {
        m_fileCount = 0;
        m_isDirectory = 0;
        m_szFileName.clear();
        m_selectedFiles.clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

bool CShellExt::AppendItemsFor(UINT uFlags) {
    if (uFlags & CMF_OPTIMIZEFORINVOKE)
        return false;
    if ((uFlags & 0xF) == CMF_NORMAL)
        return true;
    if (uFlags & CMF_VERBSONLY)
        return true;
    return (uFlags & CMF_EXPLORE) != 0;
}

HRESULT CShellExt::QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT,
                                    UINT uFlags) {
    bool appendItems = AppendItemsFor(uFlags);
    if (HandlerLogger)
        HandlerLogger->LogDebug("CmdIndex=%d, AppendItems:%u, uFlags=%08lXh",
                                static_cast<int>(idCmdFirst), appendItems ? 1u : 0u,
                                static_cast<unsigned long>(uFlags));
    if (!appendItems)
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);

    ShellServices& services = Services();
    UINT position = indexMenu;
    UINT highestOffset = 0;
    char caption[CaptionBufferSize];
    auto separator = [&] {
        services.InsertMenuEntry(menu, position++, MF_SEPARATOR | MF_BYPOSITION, 0, nullptr);
    };
    auto entry = [&](UINT offset, const char* format, HBITMAP bitmap) {
        FormatCaption(caption, format, m_szFileName.c_str());
        services.InsertMenuEntry(menu, position, MF_STRING | MF_BYPOSITION, idCmdFirst + offset,
                                 caption);
        if (bitmap)
            services.SetMenuEntryBitmaps(menu, position, MF_BYPOSITION, bitmap, bitmap);
        ++position;
        highestOffset = std::max(highestOffset, offset);
    };

    separator();
    entry(ShellInCurrentDirectory, "Shell (Current directory)", ShellBitmap);
    if (m_fileCount == 1 && m_isDirectory)
        entry(ShellInSelectedDirectory, "Shell (%s)", ShellBitmap);
    if (m_fileCount == 1) {
        entry(CopyCurrentDirectory, "Copy to Clipboard (Current directory)", ClipboardBitmap);
        entry(CopySelectedPath, "Copy to Clipboard (%s)", ClipboardBitmap);
        if (!m_isDirectory) {
            separator();
            entry(TouchWithCurrentTime, "Touch %s (cur date/time)", TouchBitmap);
            entry(TouchWithChosenTime, "Touch %s ...", TouchBitmap);
        }
    } else {
        separator();
        entry(TouchSelectedWithCurrentTime, "Touch selected files (cur date/time)", nullptr);
        entry(TouchSelectedWithChosenTime, "Touch seledted files ...", nullptr);
    }
    separator();
    UINT result = highestOffset + 1;
    if (HandlerLogger)
        HandlerLogger->LogDebug("QueryContextMenu returns: %u (NOERROR:%u)", result, 0u);
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, result);
}

HRESULT CShellExt::GetCommandString(UINT_PTR, UINT type, UINT*, CHAR* name, UINT nameSize) {
    if (name && nameSize > 0) {
        name[0] = '\0';
        // A wide-text request has a buffer of nameSize wide characters: end it as one.
        if (type & GetCommandStringUnicode)
            name[1] = '\0';
    }
    return S_OK;
}

HRESULT CShellExt::InvokeCommand(CMINVOKECOMMANDINFO* invocation) {
    if (!invocation)
        return S_OK;
    // A verb named by a string has a pointer here; only a number below 65536 is an offset.
    auto verb = reinterpret_cast<uintptr_t>(invocation->lpVerb);
    if ((verb >> 16) != 0)
        return S_OK;
    try {
        RunCommand(static_cast<UINT>(verb & 0xFFFF));
    } catch (...) {
        // The shell is never brought down by a command.
    }
    return S_OK;
}

const std::string* CShellExt::FirstPath() const {
    if (m_fileCount == 1)
        return &m_szFileName;
    if (!m_selectedFiles.empty())
        return &m_selectedFiles.front();
    return nullptr;
}

void CShellExt::RunCommand(UINT offset) {
    const bool single = m_fileCount == 1;
    switch (offset) {
        case ShellInCurrentDirectory:
            if (const std::string* path = FirstPath())
                OpenShellIn(ShellDirectoryOf(*path));
            break;
        case ShellInSelectedDirectory:
            if (single)
                OpenShellIn(m_szFileName);
            break;
        case CopyCurrentDirectory:
            if (single)
                CopyToClipboard(QuoteIfSpaced(ContainingDirectory(m_szFileName)));
            break;
        case CopySelectedPath:
            if (single)
                CopyToClipboard(SelectedPathClipboardText(m_szFileName));
            break;
        case TouchWithCurrentTime:
            if (single)
                TouchAndReport({m_szFileName}, nullptr);
            break;
        case TouchWithChosenTime:
            if (single)
                TouchWithDialog({m_szFileName}, true);
            break;
        case TouchSelectedWithCurrentTime:
            TouchAndReport(m_selectedFiles, nullptr);
            break;
        case TouchSelectedWithChosenTime:
            if (!m_selectedFiles.empty())
                TouchWithDialog(m_selectedFiles, false);
            break;
        default:
            break;
    }
}

}  // namespace tamarack
