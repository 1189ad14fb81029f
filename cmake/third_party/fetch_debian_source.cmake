# cmake -DPACKAGE=<source package> -DUPSTREAM_VERSION=<x.y.z> -DDESTINATION=<folder>
#       -P fetch_debian_source.cmake
# Puts Debian's source package, with Debian's patches applied, into DESTINATION.
# `apt-get source` checks what it downloads against the archive's signed
# indexes; it needs the deb-src entries that scripts/install-prerequisites.sh
# adds. A tree already in place is kept: the sources are fetched once per
# build folder.
if(EXISTS ${DESTINATION}/CMakeLists.txt)
  return()
endif()
find_program(APT_GET apt-get REQUIRED)
set(work ${DESTINATION}.fetch)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${APT_GET} source -qq ${PACKAGE}
                WORKING_DIRECTORY ${work}
                RESULT_VARIABLE failed
                OUTPUT_QUIET
                ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "apt-get source ${PACKAGE} failed: ${errors}\n"
                      "scripts/install-prerequisites.sh adds Debian's source entries.")
endif()
set(tree ${work}/${PACKAGE}-${UPSTREAM_VERSION})
if(NOT IS_DIRECTORY ${tree})
  file(GLOB trees LIST_DIRECTORIES true RELATIVE ${work} ${work}/${PACKAGE}-*)
  message(FATAL_ERROR "The build expects ${PACKAGE} ${UPSTREAM_VERSION}; Debian gave: ${trees}")
endif()
file(REMOVE_RECURSE ${DESTINATION})
file(RENAME ${tree} ${DESTINATION})
file(REMOVE_RECURSE ${work})
