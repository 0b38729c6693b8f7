// The stand-in shell installed for one test, the module's bitmaps loaded, and helpers
// that get a handler the way the shell does (class object, instance, Initialize) and
// build its menu or run its commands.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/shell/StandInShellServices.h"
#include "shellext/CShellExt.h"
#include "shellext/DllExports.h"
#include "shellext/Module.h"
#include "tests/shellext/StandInDataObject.h"

namespace shellexttest {

class ShellExtFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = platform::shell::SetServices(&shell);
        tamarack::AllocBitmap(nullptr);
    }
    void TearDown() override {
        tamarack::FreeBitmap();
        platform::shell::SetServices(m_previous);
        EXPECT_EQ(0, tamarack::RefThisDll) << "a COM object was not released";
    }

    // A new handler from the class object, not yet initialised.
    static IShellExtInit* NewHandler() {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(S_OK, DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)));
        IShellExtInit* init = nullptr;
        EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellExtInit,
                                                reinterpret_cast<void**>(&init)));
        factory->Release();
        return init;
    }

    // A handler initialised with `data`, asked for its IContextMenu face.
    static IContextMenu* HandlerFor(StandInDataObject& data) {
        IShellExtInit* init = NewHandler();
        EXPECT_EQ(S_OK, init->Initialize(nullptr, &data, nullptr));
        IContextMenu* menu = nullptr;
        EXPECT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
        init->Release();
        return menu;
    }

    // Runs command `offset` on a handler for these paths.
    static void Invoke(const std::vector<std::string>& paths, UINT offset) {
        StandInDataObject data(paths);
        IContextMenu* handler = HandlerFor(data);
        CMINVOKECOMMANDINFO invocation{};
        invocation.cbSize = sizeof invocation;
        invocation.lpVerb = reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(offset));
        EXPECT_EQ(S_OK, handler->InvokeCommand(&invocation));
        handler->Release();
    }

    // What a handler for `paths` returns when it builds into an empty menu; the menu is
    // then in `entries`, one line each: "-" for a separator, else the id, "B" when the
    // entry has a bitmap, and the caption.
    HRESULT BuildMenu(const std::vector<std::string>& paths, UINT flags = CMF_NORMAL) {
        platform::shell::StandInMenu menu;
        StandInDataObject data(paths);
        IContextMenu* handler = HandlerFor(data);
        HRESULT result = handler->QueryContextMenu(menu.Handle(), 0, 100, 200, flags);
        handler->Release();
        EXPECT_EQ(1, data.references) << "the data object was not released";
        entries.clear();
        for (const auto& entry : menu.entries)
            entries.push_back(entry.flags == MF_SEPARATOR
                                  ? "-"
                                  : std::to_string(entry.id) + (entry.bitmap ? " B " : " ") +
                                        entry.text);
        return result;
    }

    platform::shell::StandInFile& AddFile(const std::string& path,
                                          platform::shell::FileTime time = 1000) {
        shell.files[path].times = {time, time, time};
        return shell.files[path];
    }
    void AddDirectory(const std::string& path) { shell.files[path].directory = true; }

    platform::shell::StandInShellServices shell;
    std::vector<std::string> entries;

  private:
    platform::shell::ShellServices* m_previous = nullptr;
};

}  // namespace shellexttest
