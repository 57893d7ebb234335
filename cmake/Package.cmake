# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillorin)
set(CPACK_PACKAGE_VENDOR "Quillorin")
set(CPACK_PACKAGE_CONTACT "Quillorin <quillorin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Grade book for school teachers (French interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillorin keeps a teacher's school classes, their pupils and subjects, the levels and marks reached, and prints evaluation sheets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: chmlib shows the help,
# libxlsxwriter and libzip write the spreadsheets, the platform plugins open
# the window, the translations make Qt's own texts French, the French
# dictionary checks the remarks' spelling.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libchm1, libxlsxwriter4, libzip4, qt6-qpa-plugins, qt6-translations-l10n, hunspell-fr")
include(CPack)
