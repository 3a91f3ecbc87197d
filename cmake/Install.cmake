# SPDX-License-Identifier: GPL-3.0-or-later
# What "cmake --install" puts where, and the Debian package CPack makes of it.
set(CMAKE_INSTALL_DOCDIR share/doc/kelvora)
include(GNUInstallDirs)

set(KELVORA_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/kelvora)
set(KELVORA_SAMPLEDIR ${CMAKE_INSTALL_DATADIR}/kelvora/sample)

if(KELVORA_GUI)
  install(TARGETS kelvora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY data/sample/ DESTINATION ${KELVORA_SAMPLEDIR}
          FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  install(FILES packaging/org.kelvora.Kelvora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/org.kelvora.Kelvora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES packaging/icons/kelvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES packaging/icons/kelvora-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kelvora.png)
  endforeach()

  # The manual page and the changelog, compressed as Debian wants them.
  find_program(GZIP gzip REQUIRED)
  set(packed ${CMAKE_BINARY_DIR}/packaging)
  add_custom_command(OUTPUT ${packed}/kelvora.1.gz ${packed}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packed}
    COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/kelvora.1 > ${packed}/kelvora.1.gz
    COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog > ${packed}/changelog.gz
    DEPENDS packaging/kelvora.1 packaging/changelog
    VERBATIM)
  add_custom_target(kelvora_docs ALL DEPENDS ${packed}/kelvora.1.gz ${packed}/changelog.gz)
  install(FILES ${packed}/kelvora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${packed}/changelog.gz packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
if(KELVORA_PLAYER)
  install(TARGETS vbmp3 LIBRARY DESTINATION ${KELVORA_PRIVATE_LIBDIR} NAMELINK_SKIP)
endif()
if(KELVORA_GUI)
  install(TARGETS kelvora_progress kelvora_words LIBRARY DESTINATION ${KELVORA_PRIVATE_LIBDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kelvora developers")
set(CPACK_PACKAGE_CONTACT "The Kelvora developers <kelvora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drill English words and test questions against the clock")
set(CPACK_PACKAGE_DESCRIPTION "Kelvora is a drill program for Japanese learners of English: four-choice
vocabulary questions in both directions and four-choice test questions
with commentary, each against a countdown. A learning record kept across
runs steers which question comes next, by selection mode; reports show the
statistics, and the test mode estimates a score every forty questions.
Pronunciations play from sections of MP3 files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The player library is found by its full path, not by the linker.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
# Its output drivers (PulseAudio, ALSA) come as plugins in this package.
# Speech is loaded when the learner turns it on: the engine (and its data,
# which the engine's package depends on) is recommended, never required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mpg123, fonts-ipafont-gothic, libespeak-ng1, scowl, wordnet-base, edict, dict-freedict-eng-jpn")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
include(CPack)
