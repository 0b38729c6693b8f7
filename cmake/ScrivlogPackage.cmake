# `cmake --install` of Scrivlog as a library: the static libraries, the headers, a CMake
# package (find_package(scrivlog CONFIG) gives scrivlog::scrivlog) and scrivlog.pc.
#
# The headers keep their repository layout under include/scrivlog/ (logging/..., and the
# platform/ headers they include), and both include/ and include/scrivlog/ are on the
# interface include path: a program writes <scrivlog/logging/config/Scrivlog.h>, and the
# headers' own "logging/core/..." and "platform/..." includes resolve unchanged.
include(CMakePackageConfigHelpers)

set(SCRIVLOG_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/scrivlog)
set_target_properties(tamarack_platform PROPERTIES EXPORT_NAME platform OUTPUT_NAME scrivlog_platform)
install(TARGETS scrivlog tamarack_platform EXPORT scrivlog-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${CMAKE_INSTALL_INCLUDEDIR}/scrivlog)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/logging/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/scrivlog/logging
        FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/scrivlog/platform
        FILES_MATCHING PATTERN "*.h" PATTERN "shell" EXCLUDE PATTERN "posix" EXCLUDE PATTERN "win32" EXCLUDE)
install(EXPORT scrivlog-targets NAMESPACE scrivlog:: DESTINATION ${SCRIVLOG_CMAKE_DIR})

write_basic_package_version_file(${CMAKE_BINARY_DIR}/scrivlog-config-version.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/scrivlog-config.cmake ${CMAKE_BINARY_DIR}/scrivlog-config-version.cmake
        DESTINATION ${SCRIVLOG_CMAKE_DIR})

# pkg-config: the prefix is found from the file's own place, so the tree can move.
file(RELATIVE_PATH SCRIVLOG_PC_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" SCRIVLOG_PC_PREFIX ${SCRIVLOG_PC_PREFIX})
if(WIN32)
  set(SCRIVLOG_PC_SYSTEM_LIBS "-lws2_32 -ladvapi32 -luser32 -lgdi32")
else()
  set(SCRIVLOG_PC_SYSTEM_LIBS "-pthread")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/scrivlog.pc.in ${CMAKE_BINARY_DIR}/scrivlog.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/scrivlog.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
