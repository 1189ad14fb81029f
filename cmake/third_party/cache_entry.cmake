# The machine-wide cache of the third-party libraries: one entry per set of
# inputs, so that every clone and build folder on the machine builds qpdf and
# libjpeg-turbo once. An entry's name is a hash of what went into it: Debian's
# source package versions, the architecture, the compiler and its package,
# zlib's package, and the recipes that decide what is built (the build flags
# live in them; this file and the publishing script only find and fill the
# cache, so they are not part of it).
#
# Sets THIRD_PARTY_CACHE_ENTRY (the entry's folder; empty when the cache is
# off) and THIRD_PARTY_CACHE_KEY (the text the name is the hash of).
#
# The cache is at QUILLMAR_THIRD_PARTY_CACHE (environment) when set, else
# $XDG_CACHE_HOME/quillmar-pdf-writer/third-party, else
# ~/.cache/quillmar-pdf-writer/third-party. QUILLMAR_THIRD_PARTY_CACHE=off, or
# -DTHIRD_PARTY_CACHE=OFF, builds in the build folder alone.
option(THIRD_PARTY_CACHE "Take qpdf and libjpeg-turbo from the machine-wide cache, and fill it" ON)

set(THIRD_PARTY_CACHE_ENTRY "")
set(THIRD_PARTY_CACHE_KEY "")
if(DEFINED ENV{QUILLMAR_THIRD_PARTY_CACHE})
  set(cacheRoot "$ENV{QUILLMAR_THIRD_PARTY_CACHE}")
elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(cacheRoot "$ENV{XDG_CACHE_HOME}/quillmar-pdf-writer/third-party")
elseif(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
  set(cacheRoot "$ENV{HOME}/.cache/quillmar-pdf-writer/third-party")
else()
  set(cacheRoot "")
endif()
string(TOLOWER "${cacheRoot}" cacheRootWord)
if(NOT THIRD_PARTY_CACHE OR cacheRoot STREQUAL "" OR cacheRootWord MATCHES "^(off|no|0|false)$")
  return()
endif()

# The version Debian would give for a source package (apt-get source takes the
# candidate, the first "Sources" line); empty when apt knows none.
function(debian_source_version outputVariable package)
  execute_process(COMMAND apt-cache madison ${package}
                  OUTPUT_VARIABLE lines ERROR_QUIET RESULT_VARIABLE failed)
  set(version "")
  if(NOT failed)
    string(REGEX MATCH "[^\n|]+\\|[ ]*([^ |]+)[ ]*\\|[^\n]* Sources" line "${lines}")
    set(version "${CMAKE_MATCH_1}")
  endif()
  set(${outputVariable} "${version}" PARENT_SCOPE)
endfunction()

# The installed version of the Debian package that owns `file`; empty when none does.
function(owning_package_version outputVariable file)
  get_filename_component(realFile "${file}" REALPATH)
  execute_process(COMMAND dpkg-query -S "${realFile}"
                  OUTPUT_VARIABLE owner ERROR_QUIET RESULT_VARIABLE failed)
  set(version "")
  if(NOT failed)
    string(REGEX REPLACE ":.*" "" owner "${owner}")
    execute_process(COMMAND dpkg-query -W -f=\${Version} "${owner}"
                    OUTPUT_VARIABLE version ERROR_QUIET)
    set(version "${owner} ${version}")
  endif()
  set(${outputVariable} "${version}" PARENT_SCOPE)
endfunction()

debian_source_version(qpdfVersion qpdf)
debian_source_version(jpegVersion libjpeg-turbo)
if(qpdfVersion STREQUAL "" OR jpegVersion STREQUAL "")
  message(STATUS "Third-party cache: off (apt knows no source versions)")
  return()
endif()
owning_package_version(compilerPackage "${CMAKE_CXX_COMPILER}")
owning_package_version(zlibPackage "${THIRD_PARTY_ZLIB}")
set(recipes "")
foreach(recipe third_party.cmake zlib.cmake libjpeg_turbo.cmake qpdf.cmake toolchain.cmake.in
               fetch_debian_source.cmake)
  file(SHA256 ${CMAKE_CURRENT_LIST_DIR}/${recipe} recipeHash)
  string(APPEND recipes " ${recipe}=${recipeHash}")
endforeach()
string(CONCAT THIRD_PARTY_CACHE_KEY
  "qpdf ${qpdfVersion}; libjpeg-turbo ${jpegVersion}; "
  "processor ${CMAKE_SYSTEM_PROCESSOR}; compiler ${CMAKE_CXX_COMPILER} "
  "${CMAKE_CXX_COMPILER_VERSION} (${compilerPackage}); zlib ${zlibPackage}; recipes${recipes}")
string(SHA256 keyHash "${THIRD_PARTY_CACHE_KEY}")
string(SUBSTRING ${keyHash} 0 16 keyHash)
set(THIRD_PARTY_CACHE_ENTRY "${cacheRoot}/${CMAKE_SYSTEM_PROCESSOR}-${keyHash}")
