# The Debian package: the install layout of an installed program and CPack's
# DEB generator. Only a build with DPV_INSTALLED_LAYOUT installs anything: a
# program built for its build folder would look for its files beside itself.
include(GNUInstallDirs)

# The version and release date as the program shows them (About, --version).
file(STRINGS ${PROJECT_SOURCE_DIR}/src/app/application_identity.cpp version_line REGEX "setApplicationVersion")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" DPV_VERSION "${version_line}")
file(STRINGS ${PROJECT_SOURCE_DIR}/src/app/ui/about.cpp date_line REGEX "kReleaseDate =")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" DPV_RELEASE_DATE "${date_line}")
if(NOT DPV_VERSION MATCHES "^[0-9.]+$" OR NOT DPV_RELEASE_DATE MATCHES "^[0-9]+-[0-9]+-[0-9]+$")
  message(FATAL_ERROR "Packaging: version (${DPV_VERSION}) or release date (${DPV_RELEASE_DATE}) not found")
endif()

set(DPV_APP_ID "org.example.dpv" CACHE STRING "AppStream component id (reverse domain name)")
set(DPV_HOMEPAGE "https://dpv.example.org/" CACHE STRING "Home page of the package and the AppStream data")
set(DPV_SCREENSHOT_URL "${DPV_HOMEPAGE}first-run.png" CACHE STRING "Address of the screenshot docs/first-run.png")
set(DPV_MAINTAINER "DPV developers <dev@dpv.example.org>" CACHE STRING "Maintainer field of the package")

target_compile_definitions(dpv PRIVATE DPV_INSTALLED_LAYOUT)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${generated})

# The PNG icons are drawn from the SVG at build time; the man page and the
# changelog are compressed as Debian wants them.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)
set(package_outputs "")
foreach(size 48 256)
  add_custom_command(OUTPUT ${generated}/dpv-${size}.png
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${packaging}/dpv.svg -o ${generated}/dpv-${size}.png
    DEPENDS ${packaging}/dpv.svg VERBATIM)
  list(APPEND package_outputs ${generated}/dpv-${size}.png)
endforeach()
foreach(doc dpv.1 changelog)
  add_custom_command(OUTPUT ${generated}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${packaging}/${doc} ${generated}/${doc}
    COMMAND ${GZIP} -9nf ${generated}/${doc}
    DEPENDS ${packaging}/${doc} VERBATIM)
  list(APPEND package_outputs ${generated}/${doc}.gz)
endforeach()
add_custom_target(dpv_package_files ALL DEPENDS ${package_outputs})
configure_file(${packaging}/dpv.metainfo.xml.in ${generated}/${DPV_APP_ID}.metainfo.xml @ONLY)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(share ${CMAKE_INSTALL_DATADIR})
install(TARGETS dpv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program finds these in ../share/dpv/ beside itself (src/core/app_paths.cpp).
install(FILES ${PROJECT_SOURCE_DIR}/src/app/marelt.hlp DESTINATION ${share}/dpv)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${share}/dpv/examples)
install(FILES ${packaging}/dpv.desktop DESTINATION ${share}/applications)
install(FILES ${packaging}/dpv-mime.xml DESTINATION ${share}/mime/packages RENAME dpv.xml)
install(FILES ${packaging}/dpv.svg DESTINATION ${share}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${generated}/dpv-${size}.png DESTINATION ${share}/icons/hicolor/${size}x${size}/apps RENAME dpv.png)
endforeach()
install(FILES ${generated}/${DPV_APP_ID}.metainfo.xml DESTINATION ${share}/metainfo)
install(FILES ${generated}/dpv.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${generated}/changelog.gz DESTINATION ${share}/doc/dpv)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dpv)
set(CPACK_PACKAGE_VERSION ${DPV_VERSION})
set(CPACK_PACKAGE_CONTACT "${DPV_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DPV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${DPV_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "differential pulse voltammetry on a parallel-port potentiostat")
set(CPACK_PACKAGE_DESCRIPTION "A desktop program for differential pulse voltammetry (DPV). It drives a
potentiostat, a 12-bit A/D-D/A card and a programmable timer on the PC
parallel port, runs DPV sweeps with optional preelectrolysis, draws the
curve live, saves and reopens .dpv files, exports text, prints a one-page
report and calibrates the instrument. Without a parallel port it runs on a
built-in simulated instrument. Example parameters are included.")
include(CPack)
