# The Debian package (scripts/package): what `cmake --install` puts under
# /usr, with the dependencies found by dpkg-shlibdeps from the libraries the
# programs link, plus what they load at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilmark)
set(CPACK_PACKAGE_VENDOR QUIL)
set(CPACK_PACKAGE_CONTACT "QUIL <quilmark@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ID3 tag editor for MP3 files, with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION
  "QUILMARK gathers MP3 files, directly or through M3U and PLS playlists and CSV
files, into one spreadsheet-like list (a row per file, a column per tag field),
edits the cells with undo, clipboard, column fill and sort, and writes the
changed rows back as ID3v1, ID3v2.2 or ID3v2.3 tags with text in Shift-JIS,
EUC-JP or UTF-16. quilmark-cli exports tags as CSV, writes playlists and
applies a CSV file to many files at once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded, not linked: the help reads its collection through Qt's SQLite
# driver, and the window's standard texts come from Qt's Japanese catalogues.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")

include(CPack)
