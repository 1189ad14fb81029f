# cmake -DPREFIX=<built libraries> -DENTRY=<cache entry> -DKEY_FILE=<its key text>
#       -P publish_cache_entry.cmake
# Puts a build folder's finished third-party libraries into the machine-wide
# cache. The entry is copied into a temporary folder beside it and renamed
# into place, so an entry is complete or absent, never half there; when
# another build published the same entry first, its entry stays (a rename
# onto a folder that is not empty fails; the rename that refuses any target
# is not supported on every file system: overlayfs says "Operation not
# permitted").
if(EXISTS ${ENTRY}/lib/libqpdf.a)
  return()
endif()
get_filename_component(root ${ENTRY} DIRECTORY)
get_filename_component(name ${ENTRY} NAME)
string(RANDOM LENGTH 12 suffix)
set(work ${root}/.${name}.${suffix}.partial)
file(MAKE_DIRECTORY ${root})
file(REMOVE_RECURSE ${work})
file(COPY ${PREFIX}/include ${PREFIX}/lib DESTINATION ${work})
file(COPY_FILE ${KEY_FILE} ${work}/key.txt)
file(RENAME ${work} ${ENTRY} RESULT failed)
if(failed)
  file(REMOVE_RECURSE ${work})
  if(NOT EXISTS ${ENTRY}/lib/libqpdf.a)
    message(WARNING "The third-party cache entry ${ENTRY} could not be written: ${failed}")
  endif()
endif()
