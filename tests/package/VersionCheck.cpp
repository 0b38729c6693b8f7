// Reads the version resource of each file with GetFileVersionInfo and checks that it
// names a product, describes the file and carries the expected version, in its text and
// in its fixed numbers. Usage: version-check MAJOR.MINOR.PATCH FILE...
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Text(const std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        length == 0)
        return {};
    return value;
}

bool Check(const char* file, const std::string& expected) {
    DWORD size = GetFileVersionInfoSizeA(file, nullptr);
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(file, 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
        std::printf("%s: no version resource\n", file);
        return false;
    }
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%u.%u.%u", unsigned{HIWORD(fixed->dwFileVersionMS)},
                  unsigned{LOWORD(fixed->dwFileVersionMS)},
                  unsigned{HIWORD(fixed->dwFileVersionLS)});
    std::string product = Text(block, "ProductName"), description = Text(block, "FileDescription");
    std::string version = Text(block, "FileVersion");
    std::printf("%s: %s %s, %s\n", file, product.c_str(), version.c_str(), description.c_str());
    return !product.empty() && !description.empty() && version == expected && numbers == expected &&
           fixed->dwProductVersionMS == fixed->dwFileVersionMS;
}

}  // namespace

int main(int argc, char** argv) {
    bool ok = argc > 2;
    for (int i = 2; i < argc; ++i)
        ok = Check(argv[i], argv[1]) && ok;
    return ok ? 0 : 1;
}
