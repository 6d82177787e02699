# Installation: where the programs, libraries and data go, the device access
# rules, the desktop files and the Debian package.
#
# Installed layout (prefix /usr, the default):
#   bin/                      gearconsole, gearctl, burnlet-flash
#   lib/<multiarch>/          libburnlet, libHIDDLL (the updaters and
#                             burnlet-flash find them where every program does)
#   include/                  burnlet.h, hiddll.h (with the unversioned
#                             library links: the development package)
#   share/man/man1            gearconsole, gearctl, burnlet-flash
#   share/doc/<package>       copyright, changelog.gz
#   share/gearconsole/modules the shipped data, copied into each user's data
#                             folder on first start (platform/data_folder)
#   libexec/gearconsole/update the firmware update program, under each edition's
#                             name (cmake/UpdatePrograms.cmake)
#   lib/udev/                 gearconsole-hidraw-usage, the rules' helper
#   lib/udev/rules.d/         70-gearconsole.rules
#   share/applications, share/metainfo, share/icons/hicolor
#   /etc/xdg/autostart        the login entry: gearconsole --hidden
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install prefix" FORCE)
endif()
include(GNUInstallDirs)
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Install prefix ${CMAKE_INSTALL_PREFIX}: udev reads its rules from /usr/lib/udev only")
endif()

# Three Debian packages, each an install component: the programs and their data, the
# shared libraries (named after libburnlet's SONAME), and the headers with the
# links a build links against.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME programs)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME gearconsole)
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_NAME libburnlet1)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libburnlet-dev)

set(gearconsole_data_dir ${CMAKE_INSTALL_DATADIR}/gearconsole)
set(gearconsole_update_dir ${CMAKE_INSTALL_LIBEXECDIR}/gearconsole/update)
set(udev_dir lib/udev)

# The programs find the installed data relative to their own folder, so an
# installed tree works wherever it is unpacked.
file(RELATIVE_PATH data_from_bin /${CMAKE_INSTALL_BINDIR} /${gearconsole_data_dir})
file(RELATIVE_PATH update_from_bin /${CMAKE_INSTALL_BINDIR} /${gearconsole_update_dir})
file(RELATIVE_PATH udev_from_bin /${CMAKE_INSTALL_BINDIR} /${udev_dir})
file(RELATIVE_PATH table_from_udev /${udev_dir} /${gearconsole_data_dir}/modules/setting/apConfig.bin)

target_sources(gearconsole_core PRIVATE platform/data_folder.cpp platform/data_folder.h)
set_property(SOURCE platform/data_folder.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  GEARCONSOLE_DATA_FROM_BIN="${data_from_bin}" GEARCONSOLE_UPDATE_FROM_BIN="${update_from_bin}")
target_compile_definitions(gearctl PRIVATE GEARCONSOLE_UDEV_FROM_BIN="${udev_from_bin}")

set(GEARCONSOLE_TABLE_FROM_HELPER ${table_from_udev})
add_subdirectory(tools/udev)

install(TARGETS gearconsole gearctl burnlet-flash RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS burnlet HIDDLL LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  COMPONENT libraries NAMELINK_COMPONENT development)
install(FILES burnlet/include/burnlet.h burnlet/include/hiddll.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT development)

# The UI documents are carried in the program; the rest of modules/ is data.
install(DIRECTORY modules/ DESTINATION ${gearconsole_data_dir}/modules PATTERN qml EXCLUDE)
install(DIRECTORY DESTINATION ${gearconsole_update_dir})
include(cmake/UpdatePrograms.cmake)

install(TARGETS gearconsole-hidraw-usage RUNTIME DESTINATION ${udev_dir})
install(FILES ${GEARCONSOLE_UDEV_RULES} DESTINATION ${udev_dir}/rules.d)

install(FILES packaging/example.vortan.gearconsole.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/example.vortan.gearconsole.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The session starts it hidden in the tray; the file is the application's own
# name, so that the user's copy of that name in ~/.config/autostart overrides it.
set(autostart_dir ${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart)
install(FILES packaging/autostart/example.vortan.gearconsole.desktop DESTINATION ${autostart_dir})
include(cmake/DebianDocs.cmake)

# The Debian packages.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs libraries development)
set(CPACK_PACKAGE_NAME gearconsole)
set(CPACK_DEBIAN_PACKAGE_SOURCE gearconsole)
set(CPACK_PACKAGE_VENDOR VORTAN)
set(CPACK_PACKAGE_CONTACT "VORTAN <support@vortan.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.vortan.example")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Each description: the summary line, then lines of at most 80 columns.
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION [[configuration utility for VORTAN gaming keyboards
Writes key assignments, lighting, pictures and macros into VORTAN keyboards
over USB HID, and stays resident in the tray. A udev rule lets the logged-in
user reach the keyboards' command interfaces without root. gearctl calls the
program's operations from a shell; burnlet-flash and the update program write
new firmware.]])
set(CPACK_DEBIAN_LIBRARIES_DESCRIPTION [[firmware programming library for VORTAN keyboards
libburnlet drives the USB boot loader of a VORTAN keyboard: it erases,
programs, verifies and restarts the device through libHIDDLL, its HID layer
over hidapi.]])
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION [[firmware programming library for VORTAN keyboards (development files)
The headers burnlet.h and hiddll.h and the links to build programs against
libburnlet and libHIDDLL.]])
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The programs and the headers come with the libraries of the same build.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_PROGRAMS_DEPENDS libraries)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS libraries)
# Libraries come from dpkg-shlibdeps. The QML modules the UI imports are
# loaded at run time, so they are named here; Qt's xcb, offscreen and ico
# plugins come with libqt6gui6, its Wayland platform (the one Qt picks in a
# Wayland session) with qt6-wayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/burnlet)
# The UI's compiled units are accepted only by the Qt release they were
# compiled with, and the program carries no document texts to fall back on:
# it depends on that exact release (the QML library provides its ABI name).
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS
  "qml6-module-qtquick, qml6-module-qtqml-workerscript, qt6-wayland, qt6-declarative-abi (= ${Qt6Qml_VERSION})")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS "udev, systemd | elogind")
# GNOME shows StatusNotifier tray icons only with this extension.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
# A file under /etc is the administrator's to change: dpkg keeps such changes.
file(WRITE ${PROJECT_BINARY_DIR}/packaging/conffiles "${autostart_dir}/example.vortan.gearconsole.desktop\n")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_BINARY_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DropLdconfigScripts.cmake)
include(CPack)
