# nlohmann-json and CLI11 come as Debian packages. Natively they are found in the
# usual place; the cross build links only their folders into the build tree so
# that the MinGW compiler never sees the host's C library headers.
set(_kv12_dep_inc "${CMAKE_BINARY_DIR}/dep-include")
file(MAKE_DIRECTORY "${_kv12_dep_inc}")
foreach(_dir nlohmann CLI)
  if(NOT EXISTS "/usr/include/${_dir}")
    message(FATAL_ERROR "/usr/include/${_dir} is missing: run scripts/setup.sh")
  endif()
  if(NOT EXISTS "${_kv12_dep_inc}/${_dir}")
    file(CREATE_LINK "/usr/include/${_dir}" "${_kv12_dep_inc}/${_dir}" SYMBOLIC)
  endif()
endforeach()
add_library(kv12_json INTERFACE)
target_include_directories(kv12_json SYSTEM INTERFACE "${_kv12_dep_inc}")
add_library(kv12_cli11 INTERFACE)
target_include_directories(kv12_cli11 SYSTEM INTERFACE "${_kv12_dep_inc}")
