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
    "print addresses on labels and envelopes, and keep an address book")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmark prints addresses for a household's or small business's mail: typed
lines on any position or range of a 30-up label sheet, on seven envelope sizes
and on sheets of 80 return-address labels, or labels and a report for the
contacts listed from its contact file.

Contact files hold names, addresses, phones, e-mail addresses and birthdays:
add, browse, find, edit and delete contacts, get birthday reminders, list and
search them. Quillmark imports the CSV and vCard files that e-mail providers
and address books export, exports CSV, text and vCard files, and imports from
or keeps a contact file in step with an address book on a CardDAV server.

Every command also runs from the command line, without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# Opening the manual, the state list and the look-up pages goes through xdg-open; the
# command completion is loaded by bash-completion; the label sheets of glabels-data join the
# built-in ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, bash-completion, glabels-data")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian's copyright file, in its machine-readable format.
configure_file(${PROJECT_SOURCE_DIR}/data/copyright.in ${PROJECT_BINARY_DIR}/data/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmark)

include(CPack)
