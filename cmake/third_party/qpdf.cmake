# qpdf from Debian's source package: the static library alone (no tools, tests
# or manual), with qpdf's own crypto (no OpenSSL or GnuTLS), on the zlib and
# libjpeg above. Its rijndael.h uses uint32_t without <cstdint>, which GCC 12's
# headers no longer bring in (the flags replace the toolchain's, so they are
# repeated).
debian_source_download_command(qpdfDownload qpdf 11.3.0)
ExternalProject_Add(qpdf_build
  PREFIX ${THIRD_PARTY_DIR}/qpdf
  DEPENDS libjpeg_turbo_build
  DOWNLOAD_COMMAND ${qpdfDownload}
  CMAKE_ARGS ${THIRD_PARTY_CMAKE_ARGS}
             -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_DOC=OFF
             -DREQUIRE_CRYPTO_NATIVE=ON -DUSE_IMPLICIT_CRYPTO=OFF
             -DZLIB_H_PATH=${THIRD_PARTY_ZLIB_INCLUDE} -DZLIB_LIB_PATH=${THIRD_PARTY_ZLIB}
             -DLIBJPEG_H_PATH=${THIRD_PARTY_PREFIX}/include
             -DLIBJPEG_LIB_PATH=${THIRD_PARTY_PREFIX}/lib/libjpeg.a
             "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections -include cstdint"
  BUILD_COMMAND ${THIRD_PARTY_BUILD_TARGET} libqpdf
  INSTALL_COMMAND
    ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libqpdf/libqpdf.a ${THIRD_PARTY_PREFIX}/lib/
    COMMAND ${CMAKE_COMMAND} -E copy_directory <SOURCE_DIR>/include/qpdf
            ${THIRD_PARTY_PREFIX}/include/qpdf
  BUILD_BYPRODUCTS ${THIRD_PARTY_PREFIX}/lib/libqpdf.a
  ${THIRD_PARTY_LOG_OPTIONS})
