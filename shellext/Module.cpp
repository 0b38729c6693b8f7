#include "shellext/Module.h"

#include <string>

#include "logging/config/ConfigurationLoader.h"
#include "logging/config/DefaultConfiguration.h"
#include "logging/core/CLogFactory.h"
#include "platform/shell/ShellServices.h"

namespace tamarack {

const CLSID CLSID_DLLRegisterer = {
    0x7D3A5C21, 0x94E8, 0x4B6F, {0xA1, 0xC2, 0x5E, 0x8F, 0x0D, 0x4B, 0x9A, 0x63}};

int32_t RefThisDll = 0;
HINSTANCE ModuleInstance = nullptr;
HBITMAP ShellBitmap = nullptr;
HBITMAP ClipboardBitmap = nullptr;
HBITMAP TouchBitmap = nullptr;
scrivlog::CLogger* ModuleLogger = nullptr;
scrivlog::CLogger* HandlerLogger = nullptr;
scrivlog::CLogger* FactoryLogger = nullptr;

void StartLogging() {
    try {
        std::string errors;
        if (scrivlog::ConfigureFromFiles(scrivlog::TheLogFactory, "Tamarack",
                                         scrivlog::DefaultConfigurationText, errors, true))
            scrivlog::TheLogFactory.StartAllAppenders(errors);
    } catch (...) {
        // Loading never fails: without a configuration nothing is logged.
    }
    ObtainLogger(ModuleLogger, ModuleLoggerName);
}

void StopLogging() {
    try {
        std::string ignored;
        scrivlog::TheLogFactory.StopAllAppenders(ignored);
    } catch (...) {
    }
}

void ObtainLogger(scrivlog::CLogger*& handle, const char* name) {
    if (handle)
        return;
    try {
        handle = scrivlog::TheLogFactory.GetLogger(name);
    } catch (...) {
        handle = nullptr;  // out of memory: this object simply does not log
    }
}

void AllocBitmap(HINSTANCE module) {
    if (ModuleLogger)
        ModuleLogger->LogDebug("AllocBitmap");
    platform::shell::ShellServices& services = platform::shell::Services();
    ModuleInstance = module;
    ShellBitmap = services.LoadBitmapResource(module, ShellBitmapId);
    ClipboardBitmap = services.LoadBitmapResource(module, ClipboardBitmapId);
    TouchBitmap = services.LoadBitmapResource(module, TouchBitmapId);
    if (ModuleLogger)
        ModuleLogger->LogDebug(
            "hBitmap=%08lX", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ShellBitmap)));
}

void FreeBitmap() {
    if (ModuleLogger)
        ModuleLogger->LogDebug("FreeBitmap");
    platform::shell::ShellServices& services = platform::shell::Services();
    for (HBITMAP* bitmap : {&ShellBitmap, &ClipboardBitmap, &TouchBitmap}) {
        if (*bitmap)
            services.DeleteBitmap(*bitmap);
        *bitmap = nullptr;
    }
}

}  // namespace tamarack
