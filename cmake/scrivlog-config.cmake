# The Scrivlog package: find_package(scrivlog CONFIG REQUIRED) gives scrivlog::scrivlog.
include(CMakeFindDependencyMacro)
find_dependency(Threads)
include("${CMAKE_CURRENT_LIST_DIR}/scrivlog-targets.cmake")
