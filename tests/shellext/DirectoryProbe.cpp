// Stands in for the command shell in a test prefix: writes the directory it was started
// in, as UTF-8, to the file that TAMARACK_PROBE_FILE names, and exits.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/WideText.h"

int main() {
    wchar_t target[MAX_PATH];
    DWORD targetLength = GetEnvironmentVariableW(L"TAMARACK_PROBE_FILE", target, MAX_PATH);
    if (targetLength == 0 || targetLength >= MAX_PATH)
        return 2;
    std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
    directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), &directory[0]));
    std::string text = platform::Utf8FromWide(directory);
    FILE* file = _wfopen(target, L"wb");
    if (!file)
        return 1;
    bool whole = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && whole ? 0 : 1;
}
