# The release version lives only in VERSION. At configure time it becomes
# ${QV_GENERATED_DIR}/quorvale_version.h (for the version resources) and the two application
# manifests; a changed VERSION makes CMake configure again.
include_guard(DIRECTORY)

set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/VERSION)
file(STRINGS ${PROJECT_SOURCE_DIR}/VERSION QV_VERSION LIMIT_COUNT 1)
string(STRIP "${QV_VERSION}" QV_VERSION)
# Same rule as installer/version.sh: three numbers, each a 16-bit version field.
if(NOT QV_VERSION MATCHES "^(0|[1-9][0-9]?[0-9]?[0-9]?[0-9]?)\\.(0|[1-9][0-9]?[0-9]?[0-9]?[0-9]?)\\.(0|[1-9][0-9]?[0-9]?[0-9]?[0-9]?)$")
  message(FATAL_ERROR "VERSION must hold a version like 1.0.0, found: '${QV_VERSION}'")
endif()
set(QV_VERSION_MAJOR ${CMAKE_MATCH_1})
set(QV_VERSION_MINOR ${CMAKE_MATCH_2})
set(QV_VERSION_PATCH ${CMAKE_MATCH_3})
foreach(part ${QV_VERSION_MAJOR} ${QV_VERSION_MINOR} ${QV_VERSION_PATCH})
  if(part GREATER 65535)
    message(FATAL_ERROR "VERSION ${QV_VERSION}: each part must be at most 65535")
  endif()
endforeach()

set(QV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorvale_version.h.in
  ${QV_GENERATED_DIR}/quorvale_version.h @ONLY)

# qv_manifest(<template> <output-name>): the template with @QV_VERSION_MAJOR@ etc. filled in,
# written to ${QV_GENERATED_DIR}, where the resource scripts find it.
function(qv_manifest template output)
  configure_file(${template} ${QV_GENERATED_DIR}/${output} @ONLY)
endfunction()
