# `make package` (cpack -G DEB in the build folder): veskaro_<version>_<arch>.deb
# with every program in /usr/bin, their manual pages and completions, the
# documentation, the licence as the copyright file and a changelog made from
# the version.  Depends is worked out by dpkg-shlibdeps from the shared
# libraries the programs link, and nothing else.  `make install-check` runs
# lintian on it and fails on any error or warning.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veskaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The VESKARO developers <developers@veskaro.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "G-code for the panels of a box project, for lasers and CNC routers")
set(CPACK_PACKAGE_DESCRIPTION "veskaro-gcode turns a box project, a JSON file that gives the plan size
of an enclosure and the components mounted in each face, into one G-code
program per face: visible recesses, component openings, corner screw holes
and the outline that cuts the panel free.  Beside it, veskaro-check says
in words what each face will really cut before any material is,
veskaro-preview draws the programs as SVG pictures and sums up what they
do, and veskaro-post rewrites them for LinuxCNC or GRBL controllers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})

set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://veskaro.example.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Owned by root, directories 755, files 644 and programs 755 whatever the
# umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE VESKARO_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT VESKARO_DEB_ARCH)
  set(VESKARO_DEB_ARCH amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VESKARO_DEB_ARCH})
set(CPACK_DEBIAN_FILE_NAME veskaro_${PROJECT_VERSION}_${VESKARO_DEB_ARCH}.deb)
include(CPack)

# The changelog of a native package, made from the version when the build is
# configured: /usr/share/doc/veskaro/changelog.gz, compressed without a time
# stamp as Debian asks.  Dated now, or at SOURCE_DATE_EPOCH when it is set.
if(VESKARO_MANUALS)
  string(TIMESTAMP VESKARO_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog)
  file(WRITE ${changelog}
       "veskaro (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
       "  * Version ${PROJECT_VERSION} of veskaro-gcode, veskaro-check, veskaro-preview and\n"
       "    veskaro-post.\n\n"
       " -- ${CPACK_PACKAGE_CONTACT}  ${VESKARO_CHANGELOG_DATE}\n")
  add_custom_command(OUTPUT ${changelog}.gz
    COMMAND ${GZIP} -9nkf ${changelog}
    DEPENDS ${changelog}
    COMMENT "Changelog of the package"
    VERBATIM)
  add_custom_target(changelog ALL DEPENDS ${changelog}.gz)
  install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
