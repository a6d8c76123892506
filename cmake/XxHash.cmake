# xxHash from Debian's libxxhash-dev, used as a header-only library (XXH_INLINE_ALL in the one
# source that includes it). Only its header is copied into the build, so that the cross
# compiler sees none of the host's other headers.
find_file(QV_XXHASH_HEADER xxhash.h PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QV_XXHASH_HEADER)
  message(FATAL_ERROR "xxhash.h not found (Debian package libxxhash-dev; tools/setup installs it)")
endif()
configure_file(${QV_XXHASH_HEADER} ${CMAKE_BINARY_DIR}/xxhash/xxhash.h COPYONLY)
add_library(qv_xxhash INTERFACE)
target_include_directories(qv_xxhash SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/xxhash)
