# The Debian package: the app with its desktop entry and icon, inspector-cli
# and the stand-in inspection server. scripts/package builds it with
# `cpack -G DEB`; dpkg-shlibdeps works out the libraries it needs.
install(TARGETS inspector-app inspector-cli inspection-server RUNTIME DESTINATION bin)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/inspector.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/AppIcon.png
        DESTINATION share/icons/hicolor/256x256/apps RENAME inspector.png)

set(CPACK_PACKAGE_NAME inspector)
set(CPACK_PACKAGE_VENDOR "Inspector developers")
set(CPACK_PACKAGE_CONTACT "Inspector developers <inspector@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Field app for inspectors of building equipment: scan, photograph, send")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
  # A cross-build (packaging/arm64-toolchain.cmake): the package is arm64, and
  # dpkg-shlibdeps must be run with DEB_HOST_ARCH=arm64 (scripts/package does).
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
endif()
# Loaded at run time rather than linked: the window system plugins, the
# Chinese font the app asks for by name, and the camera backend.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk, libqt6multimedia6")
include(CPack)
