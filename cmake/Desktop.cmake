# What makes Quillmark a desktop citizen once installed: the program, its desktop entry,
# contact-file type, icons, AppStream data, manual page, bash completion and documents.
# The manual page and the completion are made from the built program's own help, the desktop
# entry's MIME types from the formats' table.
include(GNUInstallDirs)

set(QUILLMARK_APP_ID org.quillmark.Quillmark)
# Where the repository's files are served as they are; the AppStream screenshot is found there.
set(QUILLMARK_RAW_URL "https://quillmark.example/raw/main"
    CACHE STRING "Base URL of the repository's raw files (AppStream screenshot)")

find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(data_src ${PROJECT_SOURCE_DIR}/data)
set(data_out ${PROJECT_BINARY_DIR}/data)
file(MAKE_DIRECTORY ${data_out})

# PNG icons of the hicolor sizes, drawn from the one SVG.
set(QUILLMARK_ICON_SIZES 16 24 32 48 64 128 256)
set(icon_pngs)
foreach(size ${QUILLMARK_ICON_SIZES})
  set(png ${data_out}/icons/${size}x${size}/${QUILLMARK_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${data_out}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${data_src}/${QUILLMARK_APP_ID}.svg
    DEPENDS ${data_src}/${QUILLMARK_APP_ID}.svg
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page (compressed, as Debian keeps them) and the completion.
set(man_page ${data_out}/quillmark.1)
add_custom_command(
  OUTPUT ${man_page}.gz
  COMMAND bash ${data_src}/make-manpage.sh $<TARGET_FILE:quillmark> ${PROJECT_VERSION} ${man_page}
  COMMAND gzip -9nf ${man_page}
  DEPENDS quillmark ${data_src}/make-manpage.sh
  COMMENT "Making the quillmark(1) manual page"
  VERBATIM)
set(completion ${data_out}/quillmark.bash-completion)
add_custom_command(
  OUTPUT ${completion}
  COMMAND bash ${data_src}/make-completion.sh $<TARGET_FILE:quillmark> ${completion}
  DEPENDS quillmark ${data_src}/make-completion.sh
  COMMENT "Making the bash completion"
  VERBATIM)

# The desktop entry's MIME types come from the formats' table.
add_executable(make_desktop_entry ${data_src}/make_desktop_entry.cpp)
target_link_libraries(make_desktop_entry PRIVATE quillmark_core)
set(desktop_entry ${data_out}/${QUILLMARK_APP_ID}.desktop)
add_custom_command(
  OUTPUT ${desktop_entry}
  COMMAND make_desktop_entry ${data_src}/${QUILLMARK_APP_ID}.desktop.in ${desktop_entry}
  DEPENDS make_desktop_entry ${data_src}/${QUILLMARK_APP_ID}.desktop.in
  COMMENT "Making the desktop entry"
  VERBATIM)

configure_file(${data_src}/${QUILLMARK_APP_ID}.metainfo.xml.in
  ${data_out}/${QUILLMARK_APP_ID}.metainfo.xml @ONLY)

add_custom_target(quillmark_desktop_data ALL
  DEPENDS ${icon_pngs} ${man_page}.gz ${completion} ${desktop_entry})

install(TARGETS quillmark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop_entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data_out}/${QUILLMARK_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${data_src}/${QUILLMARK_APP_ID}.mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${QUILLMARK_APP_ID}.xml)
install(FILES ${data_src}/${QUILLMARK_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
  RENAME quillmark)
# The program carries the manual and the state list and seeds the application folder from
# them; the installed copies are for reading without starting it.
install(FILES ${PROJECT_BINARY_DIR}/docs/qmkUman.pdf
  ${PROJECT_BINARY_DIR}/docs/qmk_state_abbreviations.pdf
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmark)
