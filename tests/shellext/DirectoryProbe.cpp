// Stands in for the command shell in a test prefix: writes the directory it was started
// in, as UTF-8, to the file that TAMARACK_PROBE_FILE names, and exits.
#include <windows.h>

#include <string>

int main() {
    wchar_t target[MAX_PATH];
    DWORD targetLength = GetEnvironmentVariableW(L"TAMARACK_PROBE_FILE", target, MAX_PATH);
    if (targetLength == 0 || targetLength >= MAX_PATH)
        return 2;
    std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
    directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), &directory[0]));
    std::string text(directory.size() * 3, '\0');
    text.resize(WideCharToMultiByte(CP_UTF8, 0, directory.data(),
                                    static_cast<int>(directory.size()), &text[0],
                                    static_cast<int>(text.size()), nullptr, nullptr));
    HANDLE file = CreateFileW(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                 written == text.size();
    CloseHandle(file);
    return whole ? 0 : 1;
}
