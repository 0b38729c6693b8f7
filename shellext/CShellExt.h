// The context-menu handler: learns the selection (IShellExtInit), inserts its entries
// into the shell's menu and runs the command the user picks (IContextMenu). Both faces
// share one reference count; the object deletes itself when it falls to 0.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/ComTypes.h"

namespace tamarack {

class CShellExt final : public IContextMenu, public IShellExtInit {
  public:
    // Command offsets of the entries.
    enum Command : UINT {
        ShellInCurrentDirectory = 0,
        ShellInSelectedDirectory = 1,
        CopyCurrentDirectory = 2,
        CopySelectedPath = 3,
        TouchWithCurrentTime = 4,
        TouchWithChosenTime = 5,
        TouchSelectedWithCurrentTime = 6,
        TouchSelectedWithChosenTime = 7,
    };

    CShellExt();
    CShellExt(const CShellExt&) = delete;
    CShellExt& operator=(const CShellExt&) = delete;

    // IUnknown (IShellExtInit forwards to these).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IContextMenu
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst,
                                               UINT idCmdLast, UINT uFlags) override;
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* invocation) override;
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved,
                                               CHAR* name, UINT nameSize) override;

    // IShellExtInit
    HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* dataObject,
                                         HKEY programIdKey) override;

    // Whether entries are added for these flags.
    static bool AppendItemsFor(UINT uFlags);

    // The selection, as Initialize stored it.
    int FileCount() const { return m_fileCount; }
    bool IsDirectory() const { return m_isDirectory != 0; }
    const std::string& FileName() const { return m_szFileName; }
    const std::vector<std::string>& SelectedFiles() const { return m_selectedFiles; }

  private:
    ~CShellExt();
    // The path whose directory "Shell (Current directory)" uses, or null when none.
    const std::string* FirstPath() const;
    void RunCommand(UINT offset);

    LONG m_refCount = 0;
    IDataObject* m_dataObject = nullptr;
    int m_isDirectory = 0;
    // UTF-8, whole: a path of any length the shell passes.
    std::string m_szFileName;
    int m_fileCount = 0;
    std::vector<std::string> m_selectedFiles;
};

}  // namespace tamarack
