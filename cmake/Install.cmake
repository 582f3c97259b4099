# What an install lays down below its prefix, and the Debian package of it.
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
# The licence's text is in the copyright file, as Debian lays it out.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${TOVRIK_DOC_DIR})
# The README's pictures, where its links look for them.
install(FILES ${PROJECT_SOURCE_DIR}/docs/window-en.png ${PROJECT_SOURCE_DIR}/docs/folder-browser.png
              ${PROJECT_SOURCE_DIR}/docs/breakdown.png
        DESTINATION ${TOVRIK_DOC_DIR}/docs)
# The sample statistics, as documentation.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${TOVRIK_DOC_DIR}/examples)

# The Debian package: cpack -G DEB in the build folder. Its copyright file and
# changelog lie in the documentation folder of every install.
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian-copyright.in ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian-changelog ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
tovrik_gzip(${PROJECT_BINARY_DIR}/debian/changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)
list(APPEND TOVRIK_COMPRESSED ${PROJECT_BINARY_DIR}/debian/changelog.gz)
add_custom_target(tovrik_compressed_docs ALL DEPENDS ${TOVRIK_COMPRESSED})
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${TOVRIK_DOC_DIR})
install(FILES ${PROJECT_BINARY_DIR}/debian/copyright DESTINATION ${TOVRIK_DOC_DIR})

set(CPACK_PACKAGE_NAME tovrik-stats)
set(CPACK_PACKAGE_VENDOR "The Tovrik Stats developers")
set(CPACK_PACKAGE_CONTACT "The Tovrik Stats developers <maintainers@tovrik-stats.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Enemy Territory weapon statistics, summed up")
set(CPACK_PACKAGE_DESCRIPTION
    "Tovrik Stats reads the match statistics files that Enemy Territory and\n\
ET: Legacy write, takes the row of the weapon you choose in each, and sums\n\
shots, hits, headshots, kills and deaths over all matches or over one map.\n\
A window shows the totals, percentages, the kill/death ratio and the\n\
accuracy of each match as a curve; tovrik-report prints the same in a\n\
terminal.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
include(CPack)
