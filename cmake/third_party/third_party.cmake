# The third-party libraries of the PDF module, static, for this build folder's
# architecture: qpdf (the library alone, with its own crypto) and libjpeg-turbo
# (no SIMD), each built from Debian's source package, and zlib from Debian's
# libz-mingw-w64-dev. Each is fetched and built once per build folder, into
# <build>/third_party. Link the target `third_party_qpdf`.
if(NOT CMAKE_CROSSCOMPILING)
  # A build on Windows brings its own qpdf (for example from a package manager).
  find_package(qpdf CONFIG REQUIRED)
  add_library(third_party_qpdf INTERFACE)
  target_link_libraries(third_party_qpdf INTERFACE qpdf::libqpdf)
  target_compile_definitions(third_party_qpdf INTERFACE POINTERHOLDER_TRANSITION=4)
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/zlib.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/cache_entry.cmake)
if(THIRD_PARTY_CACHE_ENTRY AND EXISTS ${THIRD_PARTY_CACHE_ENTRY}/lib/libqpdf.a
   AND EXISTS ${THIRD_PARTY_CACHE_ENTRY}/lib/libjpeg.a)
  message(STATUS "Third-party libraries: from the cache entry ${THIRD_PARTY_CACHE_ENTRY}")
  set(THIRD_PARTY_PREFIX ${THIRD_PARTY_CACHE_ENTRY})
  include(${CMAKE_CURRENT_LIST_DIR}/imported_libraries.cmake)
  return()
endif()

include(ExternalProject)
set(THIRD_PARTY_DIR ${CMAKE_BINARY_DIR}/third_party)
set(THIRD_PARTY_PREFIX ${THIRD_PARTY_DIR}/prefix)
file(MAKE_DIRECTORY ${THIRD_PARTY_PREFIX}/include ${THIRD_PARTY_PREFIX}/lib)
configure_file(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake.in ${THIRD_PARTY_DIR}/toolchain.cmake
               @ONLY)
set(THIRD_PARTY_CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${THIRD_PARTY_DIR}/toolchain.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${THIRD_PARTY_PREFIX})
# Steps log to files (shown when a step fails) instead of filling the build's output.
set(THIRD_PARTY_LOG_OPTIONS
    LOG_DOWNLOAD ON LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)

# The download command of Debian's source package `package` at `upstreamVersion`.
function(debian_source_download_command outputVariable package upstreamVersion)
  set(${outputVariable}
      ${CMAKE_COMMAND} -DPACKAGE=${package} -DUPSTREAM_VERSION=${upstreamVersion}
      -DDESTINATION=<SOURCE_DIR> -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/fetch_debian_source.cmake
      PARENT_SCOPE)
endfunction()

# A build step's command that builds one target of the sub-build, in the
# calling make's job pool when there is one.
if(CMAKE_GENERATOR MATCHES "Makefiles")
  set(THIRD_PARTY_BUILD_TARGET $(MAKE))
else()
  set(THIRD_PARTY_BUILD_TARGET ${CMAKE_COMMAND} --build <BINARY_DIR> --target)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/libjpeg_turbo.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/qpdf.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/imported_libraries.cmake)
add_dependencies(third_party_qpdf qpdf_build)
if(THIRD_PARTY_CACHE_ENTRY)
  message(STATUS "Third-party libraries: built here, then kept in ${THIRD_PARTY_CACHE_ENTRY}")
  # In a file: the key holds semicolons, which a command line would split.
  file(WRITE ${THIRD_PARTY_DIR}/cache_key.txt "${THIRD_PARTY_CACHE_KEY}\n")
  ExternalProject_Add_Step(qpdf_build publish
    COMMENT "Keeping the third-party libraries in the machine-wide cache"
    COMMAND ${CMAKE_COMMAND} -DPREFIX=${THIRD_PARTY_PREFIX} -DENTRY=${THIRD_PARTY_CACHE_ENTRY}
            -DKEY_FILE=${THIRD_PARTY_DIR}/cache_key.txt
            -P ${CMAKE_CURRENT_LIST_DIR}/publish_cache_entry.cmake
    DEPENDEES install)
endif()
