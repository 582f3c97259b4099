# What an install lays down below its prefix.
# The licence is GPL-3.0-or-later (LICENSE).
set(TOVRIK_APP_ID org.tovrik_stats.TovrikStats)
set(TOVRIK_RESOURCES ${PROJECT_SOURCE_DIR}/resources)

install(FILES ${TOVRIK_RESOURCES}/${TOVRIK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TOVRIK_RESOURCES}/${TOVRIK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 128)
  set(icon ${TOVRIK_RESOURCES}/icons/tovrik-${size}.png)
  if(size EQUAL 128)
    set(icon ${TOVRIK_RESOURCES}/icons/tovrik.png)
  endif()
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TOVRIK_APP_ID}.png)
endforeach()
# Manual pages and the changelog go compressed, as Debian lays them out;
# they are compressed by the build, so an edited page is compressed again.
find_program(TOVRIK_GZIP gzip REQUIRED)
function(tovrik_gzip source output)
  add_custom_command(OUTPUT ${output} COMMAND ${TOVRIK_GZIP} -9nc ${source} > ${output} DEPENDS ${source} VERBATIM)
endfunction()
set(TOVRIK_COMPRESSED)
foreach(page tovrik-stats tovrik-report)
  tovrik_gzip(${PROJECT_SOURCE_DIR}/docs/man/${page}.1 ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  list(APPEND TOVRIK_COMPRESSED ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
install(FILES ${TOVRIK_RESOURCES}/completion/tovrik-report
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
set(TOVRIK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tovrik-stats)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${TOVRIK_DOC_DIR})
# The README's pictures, where its links look for them.
install(FILES ${PROJECT_SOURCE_DIR}/docs/window-en.png ${PROJECT_SOURCE_DIR}/docs/folder-browser.png
              ${PROJECT_SOURCE_DIR}/docs/breakdown.png ${PROJECT_SOURCE_DIR}/docs/run-stopped.png
              ${PROJECT_SOURCE_DIR}/docs/folder-browser-no-game.png
        DESTINATION ${TOVRIK_DOC_DIR}/docs)
# The sample statistics, as documentation.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${TOVRIK_DOC_DIR}/examples)

# The licence's terms as Debian lays them out; the package itself is made
# from debian/ by dpkg-buildpackage.
install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright DESTINATION ${TOVRIK_DOC_DIR})
add_custom_target(tovrik_compressed_docs ALL DEPENDS ${TOVRIK_COMPRESSED})
