// Ownership of one operating-system handle (a file descriptor, a HANDLE, a socket...):
// closed exactly once, when the owner lets go of it. `Traits` says what the handle type
// is, which value means "no handle", and how to close one:
//
//   struct Traits {
//       using Handle = int;
//       static constexpr Handle Invalid() { return -1; }
//       static void Close(Handle handle);
//   };
#pragma once

#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    // Gives up ownership without closing.
    Handle Release() { return std::exchange(m_handle, Traits::Invalid()); }
    // Closes the handle held (if any) and takes `handle` instead.
    void Reset(Handle handle = Traits::Invalid()) {
        Handle old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

  private:
    Handle m_handle = Traits::Invalid();
};

}  // namespace platform
