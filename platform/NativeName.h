// A file name as the system's file functions take it: with a terminating zero and, on
// POSIX, backslashes turned into slashes (names follow Windows conventions everywhere).
// A name longer than MaxPathLength is refused: IsValid() is false and the last system
// error is NameTooLongError().
#pragma once

#include <string_view>

#include "platform/Files.h"
#include "platform/SystemErrors.h"

namespace platform {

class NativeName {
  public:
    explicit NativeName(std::string_view name) {
        m_valid = name.size() <= MaxPathLength;
        if (!m_valid) {
            SetLastSystemErrorCode(NameTooLongError());
            return;
        }
        size_t i = 0;
        for (; i < name.size(); ++i) {
#ifdef _WIN32
            m_text[i] = name[i];
#else
            m_text[i] = name[i] == '\\' ? '/' : name[i];
#endif
        }
        m_text[i] = '\0';
    }
    bool IsValid() const {
        return m_valid;
    }
    const char* c_str() const {
        return m_text;
    }

  private:
    bool m_valid = false;
    char m_text[MaxPathLength + 1];
};

}  // namespace platform
