// Levels: a signed 32-bit priority, smaller is more severe. Any value is a valid level;
// only the ones below have names.
#pragma once

#include <cstdint>
#include <string_view>

namespace scrivlog {

using Level = int32_t;

namespace Levels {
constexpr Level Undefined = -3;  // the parse failure marker of StringToLevel
constexpr Level Off = -2;
constexpr Level Fatal = 0;
constexpr Level Alert = 100;
constexpr Level Critical = 200;
constexpr Level Error = 300;
constexpr Level Warn = 400;
constexpr Level Notice = 500;
constexpr Level Info = 600;
constexpr Level Debug = 700;
constexpr Level Trace = 800;
constexpr Level NotSet = 900;
constexpr Level All = 1000;
constexpr Level Force = 9998;  // passes every threshold
constexpr Level Raw = 9999;    // passes every threshold; written bare, without layout
}  // namespace Levels

// The printed name: upper case; "" for Force; "Unconditional" for values without a name.
const char* LevelToString(Level level);

// The level whose configuration name equals the whole text, ignoring ASCII case;
// Levels::Undefined for anything else.
Level StringToLevel(std::string_view text);

}  // namespace scrivlog
