# lumenpoll_logo_pixels(VAR): sets VAR to a C++ source of the logo's pixels, made at build
# time by embed-logo-pixels (platform/jpeg) from assets/logo.jpg. The tool runs on the build
# machine, where libjpeg is: in a cross build it is built there as a project of its own.
function(lumenpoll_logo_pixels out_var)
  set(logo ${PROJECT_SOURCE_DIR}/assets/logo.jpg)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/logo_pixels.cpp)
  if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    set(host_build ${CMAKE_BINARY_DIR}/host-tools)
    set(tool ${host_build}/embed-logo-pixels)
    ExternalProject_Add(host_tools
      SOURCE_DIR ${PROJECT_SOURCE_DIR}/platform/jpeg
      BINARY_DIR ${host_build}
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
                 -DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR}
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${tool})
    set(depends host_tools ${tool})
  else()
    set(tool $<TARGET_FILE:embed-logo-pixels>)
    set(depends embed-logo-pixels)
  endif()
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${tool} ${logo} ${source}
    DEPENDS ${depends} ${logo}
    COMMENT "Decoding the logo into pixels")
  set(${out_var} ${source} PARENT_SCOPE)
endfunction()
