// The module-wide state of the COM server: the count of live objects, the module's
// instance handle, the three menu bitmaps and the extension's logger handles.
#pragma once

#include <cstdint>

#include "platform/shell/ComTypes.h"

namespace scrivlog {
class CLogger;
}

namespace tamarack {

// The one class the module serves: {7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}.
extern const CLSID CLSID_DLLRegisterer;

// The number of live CShellExt and CDllIClassFactory objects.
extern int32_t RefThisDll;
extern HINSTANCE ModuleInstance;

// Menu bitmaps of the shell, clipboard and touch entries (resources 101 to 103).
constexpr int ShellBitmapId = 101;
constexpr int ClipboardBitmapId = 102;
constexpr int TouchBitmapId = 103;
extern HBITMAP ShellBitmap;
extern HBITMAP ClipboardBitmap;
extern HBITMAP TouchBitmap;

// The dialog template of the date and time dialog.
constexpr int DateTimeDialogId = 101;

// Logger handles; null until the logging configuration provides them, and tested
// before every line.
extern scrivlog::CLogger* ModuleLogger;
extern scrivlog::CLogger* HandlerLogger;
extern scrivlog::CLogger* FactoryLogger;

// The names of the extension's three loggers.
constexpr const char* ModuleLoggerName = "com.brenmoor.quillhaven.Tamarack";
constexpr const char* HandlerLoggerName = "com.brenmoor.quillhaven.Tamarack.ShellExt";
constexpr const char* FactoryLoggerName = "com.brenmoor.quillhaven.Tamarack.DllIClassFactory";

// The start of logging when a process loads the module: the compiled-in configuration
// and the user's file are loaded into the log factory, the appenders are started only
// when the whole load reported no error, and the module logger is obtained either way.
// Configuration errors are not reported (scrivlog-check finds them).
void StartLogging();
// Stops every appender when the module is unloaded.
void StopLogging();
// Obtains `handle` from the log factory when it is still null; never throws.
void ObtainLogger(scrivlog::CLogger*& handle, const char* name);

// Keeps the module handle and loads the three bitmaps.
void AllocBitmap(HINSTANCE module);
// Deletes the bitmaps that were loaded.
void FreeBitmap();

}  // namespace tamarack
