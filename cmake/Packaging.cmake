# What the packages hold, and CPack's settings for them (scripts/package.sh
# builds both):
#   windows build: KorvexKV12-<version>-windows-x64.zip, a portable folder with
#                  both programs, the skins, the default config.bin and str.ini
#                  and a read-me;
#   Linux build:   kv12ctl_<version>_<arch>.deb, kv12ctl with the udev rule that
#                  lets the user at the seat reach the mouse without root.
# The install step builds nothing itself: scripts/package.sh builds exactly the
# programs that are packaged, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_VENDOR "KorvexKV12")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration utility for the KV12 wired USB gaming mouse")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS KorvexKV12 kv12ctl RUNTIME DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/res/Skins/ DESTINATION Skins)
  install(FILES ${PROJECT_SOURCE_DIR}/res/defaults/config.bin ${PROJECT_SOURCE_DIR}/res/defaults/str.ini
          DESTINATION .)
  set(VERSION "${PROJECT_VERSION}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME "KorvexKV12")
  set(CPACK_PACKAGE_FILE_NAME "KorvexKV12-${PROJECT_VERSION}-windows-x64")
  # One folder inside the zip, so that unpacking never scatters files.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  install(TARGETS kv12ctl RUNTIME DESTINATION bin)
  # /usr/lib/udev/rules.d: udev reads it on every distribution with systemd's udev.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/70-korvexkv12.rules DESTINATION lib/udev/rules.d)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/install.md ${PROJECT_SOURCE_DIR}/docs/kv12ctl.md
          DESTINATION share/doc/kv12ctl)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME "kv12ctl")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KorvexKV12 developers <packages@korvexkv12.example>")
  # The summary above is the first line; these lines follow it.
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
         "kv12ctl applies a whole profile to the KV12 mouse (USB 04d9:a09f): button\n"
         "assignments in two key modes, report rate, DPI stages and colours, lighting\n"
         "and macros. It shows and shares profiles as JSON and lists the mouse's HID\n"
         "interfaces. The udev rule gives the user at the seat access to the mouse.")
  # The library dependencies (libhidapi-hidraw0, libstdc++6, ...) as dpkg-shlibdeps finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
