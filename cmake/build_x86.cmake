# cmake -DSOURCE_DIR=... -DBUILD_DIR=... -P build_x86.cmake
# Configures the x86 build with its preset when it is new, then builds it.
if(NOT EXISTS ${BUILD_DIR}/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset mingw-x86
                  WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR}
                COMMAND_ERROR_IS_FATAL ANY)
