// Sets or removes environment variables for the life of the object, then restores them.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class ScopedEnvironment {
  public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            Put(it->first, it->second);
    }

    void Set(const std::string& name, const std::string& value) { Put(Save(name), value); }
    void Unset(const std::string& name) { Put(Save(name), std::nullopt); }

  private:
    // Remembers the variable's value; gives back its name.
    const std::string& Save(const std::string& name) {
        const char* current = std::getenv(name.c_str());
        m_saved.emplace_back(name, current ? std::optional<std::string>(current) : std::nullopt);
        return name;
    }
    static void Put(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
        // An empty value removes the variable, as Windows has no empty variables here.
        _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
#endif
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}  // namespace testsupport
