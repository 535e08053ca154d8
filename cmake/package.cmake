# What a lab machine installs (cmake --install, and the Debian package that scripts/build-deb.sh
# makes of it with CPack): the program, its manual page, the examples and the guides, the licence,
# a menu entry and its icon. Desktop Linux only.
include(GNUInstallDirs)
set(SPRING_CHAIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/spring-chain)

# Debian's policy wants manual pages and changelogs compressed, reproducibly (no name, no time).
find_program(GZIP gzip REQUIRED)
set(compressed "")
foreach(pair "spring-chain.1|${PROJECT_BINARY_DIR}/spring-chain.1"
             "changelog|${PROJECT_SOURCE_DIR}/packaging/changelog"
             "changelog.Debian|${PROJECT_SOURCE_DIR}/packaging/changelog.Debian")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 source)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaged/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaged
        COMMAND ${GZIP} -9nc ${source} > ${PROJECT_BINARY_DIR}/packaged/${name}.gz
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${PROJECT_BINARY_DIR}/packaged/${name}.gz)
endforeach()
add_custom_target(packaged_files ALL DEPENDS ${compressed})

install(TARGETS spring-chain RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/packaged/spring-chain.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaged/changelog.gz
    ${PROJECT_BINARY_DIR}/packaged/changelog.Debian.gz
    packaging/copyright README.md docs/guide.ja.md docs/guide.en.md docs/screenshot.png
    docs/energy-panel.png docs/mode-figure.png docs/spectrum.png
    DESTINATION ${SPRING_CHAIN_DOC_DIR})
install(DIRECTORY examples/ DESTINATION ${SPRING_CHAIN_DOC_DIR}/examples FILES_MATCHING PATTERN "*.txt")
install(FILES packaging/spring-chain.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/spring-chain.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The Debian package: its dependencies are read off the program by dpkg-shlibdeps, never typed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME spring-chain)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "the spring-chain authors <spring-chain@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "teaching simulator of the free vibration of a chain of masses and springs
spring-chain asks in a console dialogue (Japanese or English) for up to twenty
masses joined by springs between two fixed walls, prints the chain's natural
frequencies and mode shapes, and shows the chain moving beside a chart of each
mass's displacement over time, integrated by the Runge-Kutta-Gill method.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
