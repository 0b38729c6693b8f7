#pragma once

namespace scrivlog {

// The configuration compiled into the module: errors of "com.brenmoor.quillhaven.Tamarack"
// and of everything else go to a rolling file in the temporary directory.
extern const char* const DefaultConfigurationText;

}  // namespace scrivlog
