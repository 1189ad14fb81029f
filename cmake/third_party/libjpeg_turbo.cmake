# libjpeg-turbo from Debian's source package: the static libjpeg only, without
# SIMD (no assembler needed), no TurboJPEG API, no tools.
debian_source_download_command(libjpegDownload libjpeg-turbo 2.1.5)
ExternalProject_Add(libjpeg_turbo_build
  PREFIX ${THIRD_PARTY_DIR}/libjpeg-turbo
  DOWNLOAD_COMMAND ${libjpegDownload}
  CMAKE_ARGS ${THIRD_PARTY_CMAKE_ARGS}
             -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
             -DWITH_JAVA=OFF
  BUILD_COMMAND ${THIRD_PARTY_BUILD_TARGET} jpeg-static
  INSTALL_COMMAND
    ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a ${THIRD_PARTY_PREFIX}/lib/
    COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jerror.h
            <SOURCE_DIR>/jmorecfg.h <BINARY_DIR>/jconfig.h ${THIRD_PARTY_PREFIX}/include/
  BUILD_BYPRODUCTS ${THIRD_PARTY_PREFIX}/lib/libjpeg.a
  ${THIRD_PARTY_LOG_OPTIONS})
