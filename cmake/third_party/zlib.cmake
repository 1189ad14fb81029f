# zlib: Debian's mingw-w64 build (libz-mingw-w64-dev), its static library.
find_library(THIRD_PARTY_ZLIB NAMES libz.a)
find_path(THIRD_PARTY_ZLIB_INCLUDE zlib.h)
if(NOT THIRD_PARTY_ZLIB OR NOT THIRD_PARTY_ZLIB_INCLUDE)
  message(FATAL_ERROR "zlib for mingw-w64 is missing: run scripts/install-prerequisites.sh "
                      "(package libz-mingw-w64-dev).")
endif()
add_library(third_party_zlib STATIC IMPORTED)
set_target_properties(third_party_zlib PROPERTIES IMPORTED_LOCATION ${THIRD_PARTY_ZLIB})
