# What users get on Windows: a version resource in the DLL and in each program, the
# installers (tamarack-<version>-x64.msi, per machine, and tamarack-<version>-x64-user.msi,
# per user) built with wixl by the target `msi`, and the zip of the same files
# (target `zip`). Both take stripped copies of the binaries from <build>/package/.

# tamarack_version_resource(<target> <product> <description>): a VERSIONINFO resource
# with the project version, readable with GetFileVersionInfo.
function(tamarack_version_resource target product description)
  set(VERSION_PRODUCT ${product})
  set(VERSION_DESCRIPTION ${description})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(VERSION_FILE_TYPE VFT_DLL)
    set(VERSION_FILE ${target}.dll)
  else()
    set(VERSION_FILE_TYPE VFT_APP)
    set(VERSION_FILE ${target}.exe)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_BINARY_DIR}/version/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/version/${target}.rc)
endfunction()

tamarack_version_resource(tamarack Tamarack "Tamarack context-menu extension")
tamarack_version_resource(tamarack-host Tamarack "Tamarack host: drives the extension through COM")
tamarack_version_resource(scrivlog-console Scrivlog "Scrivlog UDP console")
tamarack_version_resource(scrivlog-check Scrivlog "Scrivlog configuration check")
tamarack_version_resource(scrivlog-demo Scrivlog "Scrivlog demo")

# The shipped set, stripped, with the README.
set(TAMARACK_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package/Tamarack)
set(staged ${TAMARACK_PACKAGE_DIR}/README.md)
set(stage_commands COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${TAMARACK_PACKAGE_DIR})
foreach(file tamarack.dll tamarack-host.exe scrivlog-console.exe scrivlog-check.exe)
  get_filename_component(target ${file} NAME_WE)
  list(APPEND staged ${TAMARACK_PACKAGE_DIR}/${file})
  list(APPEND stage_commands COMMAND ${CMAKE_STRIP} -o ${TAMARACK_PACKAGE_DIR}/${file} $<TARGET_FILE:${target}>)
  list(APPEND shipped_targets ${target})
endforeach()
add_custom_command(OUTPUT ${staged}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAMARACK_PACKAGE_DIR} ${stage_commands}
  DEPENDS ${shipped_targets} ${PROJECT_SOURCE_DIR}/README.md
  COMMENT "Staging the shipped files in ${TAMARACK_PACKAGE_DIR}")

find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
set(TAMARACK_MSI ${CMAKE_BINARY_DIR}/tamarack-${PROJECT_VERSION}-x64.msi)
set(TAMARACK_USER_MSI ${CMAKE_BINARY_DIR}/tamarack-${PROJECT_VERSION}-x64-user.msi)
set(build_msi ${PROJECT_SOURCE_DIR}/installer/build-msi.sh ${PROJECT_VERSION} ${TAMARACK_PACKAGE_DIR})
add_custom_command(OUTPUT ${TAMARACK_MSI} ${TAMARACK_USER_MSI}
  COMMAND ${build_msi} ${TAMARACK_MSI}
  COMMAND ${build_msi} ${TAMARACK_USER_MSI} per-user
  DEPENDS ${staged} ${PROJECT_SOURCE_DIR}/installer/tamarack.wxs ${PROJECT_SOURCE_DIR}/installer/build-msi.sh
  COMMENT "Building the installers")
add_custom_target(msi ALL DEPENDS ${TAMARACK_MSI} ${TAMARACK_USER_MSI})

set(TAMARACK_ZIP ${CMAKE_BINARY_DIR}/tamarack-${PROJECT_VERSION}-x64.zip)
add_custom_command(OUTPUT ${TAMARACK_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${TAMARACK_ZIP} --format=zip Tamarack
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
  DEPENDS ${staged}
  COMMENT "Packing ${TAMARACK_ZIP}")
add_custom_target(zip DEPENDS ${TAMARACK_ZIP})
