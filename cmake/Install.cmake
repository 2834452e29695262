# Where `cmake --install` puts the program on a Linux desktop.
#
# The programs find zipbase.mdb and HAND-M.CUR beside themselves, so they go together
# into <prefix>/lib/quellist; <prefix>/bin/quellist and quellist-convert link to them. The
# desktop entry, the AppStream metainfo and the icons go where menus and software
# centres look for them, under the application's id.
set(QUELLIST_APP_ID com.tarnwell.Quellist)
set(QUELLIST_INSTALL_APPDIR lib/quellist)
set(QUELLIST_INSTALL_DOCDIR share/doc/quellist)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(icons ${PROJECT_SOURCE_DIR}/src/shell/resources/icons)

# quellist_gzip(SOURCE OUTPUT): OUTPUT is SOURCE compressed as Debian wants it (-9n: the
# same bytes at every build), made at build time.
function(quellist_gzip source output)
  get_filename_component(name ${output} NAME)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(gzip_${name} ALL DEPENDS ${output})
endfunction()

install(TARGETS quellist quellist-convert RUNTIME DESTINATION ${QUELLIST_INSTALL_APPDIR})
# The compiler's version notes (.comment) say nothing to the program's users: gone from
# what is installed.
install(CODE "
  foreach(program quellist quellist-convert)
    execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUELLIST_INSTALL_APPDIR}/\${program}\")
  endforeach()
")
install(FILES ${QUELLIST_ZIPBASE} ${PROJECT_SOURCE_DIR}/data/HAND-M.CUR
  DESTINATION ${QUELLIST_INSTALL_APPDIR})
install(CODE "
  set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${bindir}\")
  foreach(program quellist quellist-convert)
    file(CREATE_LINK ../${QUELLIST_INSTALL_APPDIR}/\${program} \"\${bindir}/\${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bindir}/\${program} -> ../${QUELLIST_INSTALL_APPDIR}/\${program}\")
  endforeach()
")

install(FILES ${packaging}/${QUELLIST_APP_ID}.desktop DESTINATION share/applications)
# quellist-convert's completion, in each shell's folder for the completions packages bring.
set(completion_dir ${PROJECT_BINARY_DIR}/completion)
install(FILES ${completion_dir}/quellist-convert DESTINATION share/bash-completion/completions)
install(FILES ${completion_dir}/_quellist-convert DESTINATION share/zsh/vendor-completions)
install(FILES ${completion_dir}/quellist-convert.fish DESTINATION share/fish/vendor_completions.d)
# The zip data's sources and dates, as tools/zipdata wrote them to data/SOURCES: its first
# line as a paragraph, each "- " item of the list (wrapped lines joined) as a list item.
file(READ ${PROJECT_SOURCE_DIR}/data/SOURCES zip_sources)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/SOURCES)
string(REGEX REPLACE "\n  +" " " zip_sources "${zip_sources}")
string(STRIP "${zip_sources}" zip_sources)
string(REPLACE "&" "&amp;" zip_sources "${zip_sources}")
string(REPLACE "<" "&lt;" zip_sources "${zip_sources}")
string(REGEX REPLACE "\nSources, merged and de-duplicated:\n- " "</p>\n    <p>Sources, merged and de-duplicated:</p>\n    <ul>\n      <li>" zip_sources "${zip_sources}")
string(REPLACE "\n- " "</li>\n      <li>" zip_sources "${zip_sources}")
set(QUELLIST_ZIP_DATA_DESCRIPTION "<p>${zip_sources}</li>\n    </ul>")
configure_file(${packaging}/${QUELLIST_APP_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/${QUELLIST_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QUELLIST_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${icons}/quellist.svg DESTINATION share/icons/hicolor/scalable/apps
  RENAME ${QUELLIST_APP_ID}.svg)
foreach(size 32 48 128 256)
  install(FILES ${icons}/quellist-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${QUELLIST_APP_ID}.png)
endforeach()

# NOTICE as the reader gets it: without the markers tools/zipdata finds its block by.
file(READ ${PROJECT_SOURCE_DIR}/data/NOTICE notice)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/NOTICE)
string(REGEX REPLACE "<!--[^\n]*-->\n" "" notice "${notice}")
file(WRITE ${CMAKE_BINARY_DIR}/NOTICE "${notice}")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/NOTICE
  DESTINATION ${QUELLIST_INSTALL_DOCDIR})
foreach(page quellist quellist-convert)
  quellist_gzip(${packaging}/${page}.1 ${CMAKE_BINARY_DIR}/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/${page}.1.gz DESTINATION share/man/man1)
endforeach()
