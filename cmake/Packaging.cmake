# The Debian package: `cpack -G DEB` in the build folder writes quillmark_VERSION_ARCH.deb.
# Library dependencies are read from the binary (dpkg-shlibdeps); fonts are named here, since
# no binary links them: Liberation stands in for the printed fonts, DejaVu gives the windows
# a proportional face.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillmark")
set(CPACK_PACKAGE_CONTACT "Quillmark maintainers <maintainers@quillmark.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "print addresses on labels and envelopes, and keep a contact file")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmark prints typed addresses on any position or range of a 30-up label sheet, on
seven envelope sizes and on sheets of 80 return-address labels. It keeps a contact
file, lists and searches it, prints labels and reports for the list, imports the
CSV exports of e-mail providers and exports CSV and text files. Every command also
runs from the command line, without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# Opening the manual, the state list and the look-up pages goes through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
