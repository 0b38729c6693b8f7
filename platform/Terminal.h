// The terminal that a command-line program writes to, and its interrupt key.
#pragma once

namespace platform {

// Whether standard output is a terminal (a console window on Windows).
bool StandardOutputIsTerminal();

// Writes standard output byte for byte (Windows would otherwise turn "\n" into "\r\n").
void MakeStandardOutputBinary();

// Makes the terminal interpret ANSI colour and cursor sequences (on Windows, the
// console's virtual terminal mode). False when it cannot.
bool EnableTerminalSequences();

// Whether the terminal takes UTF-8: by the locale's character set on POSIX (as
// setlocale(LC_CTYPE, "") would choose it), by the console's output code page on Windows.
bool TerminalTakesUtf8();

// From now on Ctrl-C (and on POSIX also SIGTERM) only sets a flag that
// InterruptRequested reads; a blocking wait for input may end early.
void CatchInterrupts();
bool InterruptRequested();

}  // namespace platform
