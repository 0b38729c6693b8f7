#include "logging/core/EventText.h"

#include <cstring>
#include <ostream>

namespace scrivlog {

char* EventText::Reserve(size_t length) {
    if (length <= InlineCapacity && !m_heap)
        return m_inline;
    if (m_heap && length <= m_heapCapacity)
        return m_heap.get();
    // Grow: keep heap storage once taken, so that a reused event stays allocation-free.
    size_t capacity = length < 2 * m_heapCapacity ? 2 * m_heapCapacity : length;
    std::unique_ptr<char[]> grown(new char[capacity + 1]);
    m_heap.swap(grown);
    m_heapCapacity = capacity;
    return m_heap.get();
}

void EventText::assign(std::string_view text) {
    // The text may point into this object's own storage; Reserve only replaces storage
    // when it grows, and copying a string into a larger new buffer would lose the old
    // one, so copy through a temporary in that case.
    const char* current = data();
    bool aliases = text.data() >= current && text.data() < current + m_size + 1;
    if (aliases && text.size() > (m_heap ? m_heapCapacity : InlineCapacity)) {
        std::string copy(text);
        assign(copy);
        return;
    }
    char* target = Reserve(text.size());
    if (!text.empty())
        std::memmove(target, text.data(), text.size());
    target[text.size()] = '\0';
    m_size = text.size();
}

std::ostream& operator<<(std::ostream& stream, const EventText& text) {
    return stream << text.view();
}

}  // namespace scrivlog
