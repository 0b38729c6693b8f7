// Environment variables and facts about the running process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Reads an environment variable into `value`; false when it is not set.
// On POSIX the Windows names TEMP, USERPROFILE, COMPUTERNAME and USERNAME, when unset,
// read as TMPDIR (else /tmp), HOME, the host name and the login name.
bool GetEnvironmentValue(std::string_view name, std::string& value);

// The full path of the running executable (empty when it cannot be found).
std::string ExecutablePath();

// The calling thread's numeric id, as the system numbers threads.
uint32_t CurrentThreadId();

}  // namespace platform
