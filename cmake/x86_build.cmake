# The x86 build folder (preset mingw-x86) and the deliverables in it, brought
# up to date by the target x86_deliverables before anything that uses them.
set(X86_BUILD_DIR ${CMAKE_SOURCE_DIR}/build-x86)
# Each x86 deliverable beside the target of its x64 twin (same order).
set(X86_DELIVERABLE_TARGETS corvale tavrin config gui notifier settings_window printer_setup
    print_document)
set(X86_DELIVERABLES
    ${X86_BUILD_DIR}/monitor/corvale.dll
    ${X86_BUILD_DIR}/settings/tavrin.dll
    ${X86_BUILD_DIR}/config/config.exe
    ${X86_BUILD_DIR}/converter/gui.exe
    ${X86_BUILD_DIR}/converter/notifier.exe
    ${X86_BUILD_DIR}/settings_window/settings.exe
    ${X86_BUILD_DIR}/installer/printer_setup.exe
    ${X86_BUILD_DIR}/demo/print_document.exe)

add_custom_target(x86_deliverables ALL
  # A build of its own, not a part of the calling make's job pool.
  COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MAKELEVEL
          ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DBUILD_DIR=${X86_BUILD_DIR}
          -P ${CMAKE_CURRENT_LIST_DIR}/build_x86.cmake
  BYPRODUCTS ${X86_DELIVERABLES}
  COMMENT "Building the x86 deliverables in ${X86_BUILD_DIR}"
  VERBATIM)
