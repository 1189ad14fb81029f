# The libraries in THIRD_PARTY_PREFIX as targets: `third_party_qpdf` is what
# the project's targets link.
add_library(third_party_jpeg STATIC IMPORTED)
set_target_properties(third_party_jpeg PROPERTIES
  IMPORTED_LOCATION ${THIRD_PARTY_PREFIX}/lib/libjpeg.a)

add_library(third_party_libqpdf STATIC IMPORTED)
set_target_properties(third_party_libqpdf PROPERTIES
  IMPORTED_LOCATION ${THIRD_PARTY_PREFIX}/lib/libqpdf.a
  INTERFACE_INCLUDE_DIRECTORIES ${THIRD_PARTY_PREFIX}/include
  # The project uses std::shared_ptr only, none of qpdf's older PointerHolder.
  INTERFACE_COMPILE_DEFINITIONS POINTERHOLDER_TRANSITION=4
  # qpdf's random numbers come from the system's crypto provider (advapi32).
  INTERFACE_LINK_LIBRARIES "third_party_jpeg;third_party_zlib;advapi32")

add_library(third_party_qpdf INTERFACE)
target_link_libraries(third_party_qpdf INTERFACE third_party_libqpdf)
