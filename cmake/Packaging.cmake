# The Debian package: `cpack -G DEB` in a build folder writes zorvanti-cribaxon_VERSION_ARCH.deb.
set(CRIBAXON_MAINTAINER "Zorvanti Cribaxon <cribaxon@zorvanti.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(_release_date "Tue, 08 Dec 2026 12:00:00 +0000")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvanti-cribaxon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zorvanti)
set(CPACK_PACKAGE_CONTACT ${CRIBAXON_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "point database filter for speed-camera warning devices")
set(CPACK_PACKAGE_DESCRIPTION [=[
Zorvanti Cribaxon prepares the point database of a Pitovan or Rumbelo
speed-camera warning device. From a source point file it writes a copy that
keeps only the chosen categories of point (fixed and mobile speed cameras,
controlled stretches, dangerous points, black spots, children's zones), each
with or without its speed warning.

The package holds the desktop program, whose interface is in Spanish, and
cribaxon-filter, which runs the same filter from the shell for batch use.]=])
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but read at run time: Qt's own texts in Spanish, and the face that stands in for the
# window font (DejaVu Sans Condensed lives in fonts-dejavu-extra).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-dejavu-core, fonts-dejavu-extra")
# Qt's Wayland plugin, for a desktop that offers Wayland alone, recommended as Debian's Qt recommends
# its X11 plugin (qt6-qpa-plugins): apt installs both unless told to leave recommendations out, and
# on every desktop with X the program runs without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Every Debian package carries its copyright and changelog under share/doc.
set(_doc_dir ${CMAKE_BINARY_DIR}/package-doc)
file(CONFIGURE OUTPUT ${_doc_dir}/copyright @ONLY CONTENT [=[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Zorvanti Cribaxon
Upstream-Contact: @CRIBAXON_MAINTAINER@

Files: *
Copyright: 2005-2026 Zorvanti
License: proprietary
 All rights reserved. This program may be used, copied and distributed only as
 its copyright holder permits.
]=])
file(CONFIGURE OUTPUT ${_doc_dir}/changelog @ONLY CONTENT [=[
zorvanti-cribaxon (@PROJECT_VERSION@) unstable; urgency=medium

  * Desktop program and cribaxon-filter, with launcher entry, icons, AppStream
    data and man pages.

 -- @CRIBAXON_MAINTAINER@  @_release_date@
]=])
add_custom_command(OUTPUT ${_doc_dir}/changelog.gz
    COMMAND gzip -9 -n -c ${_doc_dir}/changelog > ${_doc_dir}/changelog.gz
    DEPENDS ${_doc_dir}/changelog VERBATIM)
add_custom_target(cribaxon_package_doc ALL DEPENDS ${_doc_dir}/changelog.gz)
install(FILES ${_doc_dir}/copyright ${_doc_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

include(CPack)
