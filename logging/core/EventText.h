// Text owned by a logging event. Texts up to InlineCapacity characters live inside the
// object itself, so an event built on the stack for each log call costs no heap
// allocation; longer texts go to the heap.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace scrivlog {

class EventText {
  public:
    static constexpr size_t InlineCapacity = 255;

    EventText() { m_inline[0] = '\0'; }
    EventText(std::string_view text) : EventText() { assign(text); }
    EventText(const char* text) : EventText() {
        assign(text ? std::string_view(text) : std::string_view());
    }
    EventText(const EventText& other) : EventText() { assign(other.view()); }
    EventText& operator=(const EventText& other) {
        assign(other.view());
        return *this;
    }
    EventText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    EventText& operator=(const char* text) { return *this = EventText(text); }
    EventText& operator=(const std::string& text) { return *this = std::string_view(text); }

    void assign(std::string_view text);
    void clear() { assign({}); }

    const char* c_str() const { return data(); }
    const char* data() const { return m_heap ? m_heap.get() : m_inline; }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::string_view view() const { return {data(), m_size}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const EventText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(std::string_view a, const EventText& b) { return a == b.view(); }
    friend bool operator!=(const EventText& a, std::string_view b) { return a.view() != b; }
    friend bool operator!=(std::string_view a, const EventText& b) { return a != b.view(); }

  private:
    // Writable storage for `length` characters and the terminating zero.
    char* Reserve(size_t length);

    size_t m_size = 0;
    size_t m_heapCapacity = 0;
    std::unique_ptr<char[]> m_heap;
    char m_inline[InlineCapacity + 1];  // only the used part is ever written
};

std::ostream& operator<<(std::ostream& stream, const EventText& text);

}  // namespace scrivlog
