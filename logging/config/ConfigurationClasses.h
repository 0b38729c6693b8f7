// Appenders and layouts created by their configuration class names, and registered in
// the factory that owns them.
#pragma once

#include <string_view>

#include "logging/core/CLogFactory.h"

namespace scrivlog {

// The factory's appender of that name if it has one; otherwise a new appender of the
// class, owned by the factory. Null, with the factory's LastError set, for an unknown
// class. Class names ignore ASCII case.
CAppenderSkeleton* CreateAppender(CLogFactory& factory, std::string_view className,
                                  std::string_view appenderName, Level threshold);

// A new layout of the class, owned by the factory; null, with LastError set, for an
// unknown class.
CLayoutSkeleton* CreateLayout(CLogFactory& factory, std::string_view className);

}  // namespace scrivlog
