// Where each name stands in a list, ASCII letter case ignored, so that finding a logger,
// appender or record by name takes the same time however long the list grows. The
// first position entered for a name is kept, as a search from the front would find.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "logging/core/Text.h"

namespace scrivlog {

class NameIndex {
  public:
    static constexpr size_t NotFound = static_cast<size_t>(-1);

    void Add(std::string_view name, size_t position) { m_positions.emplace(Key(name), position); }
    size_t Find(std::string_view name) const {
        auto found = m_positions.find(Key(name));
        return found == m_positions.end() ? NotFound : found->second;
    }
    void Clear() { m_positions.clear(); }

  private:
    static std::string Key(std::string_view name) {
        std::string key(name);
        for (char& c : key)
            c = ToLowerAscii(c);
        return key;
    }

    std::unordered_map<std::string, size_t> m_positions;
};

}  // namespace scrivlog
