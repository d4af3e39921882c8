# linux_install.cmake -- where the desktop game installs on Linux (cmake --install), and its Debian package
# Included from desktop_executable.cmake, which makes the stripped game ${stripped}.
# The layout is the one Debian gives games: the program in games/, its data in
# share/games/kestrel-forges/, which the game finds as ../share/games/kestrel-forges/
# from its own folder.
set(linux_name kestrel-forges)
set(linux_sources ${PROJECT_SOURCE_DIR}/resources/linux)
set(linux_staged ${CMAKE_BINARY_DIR}/linux)
set(package_maintainer "Kestrel Forges <dev@kestrel.example>")
# The release's date, also every time stamp in the package: 2026-01-01 00:00 UTC,
# the date of the Windows zip's and the tarball's entries.
set(release_epoch 1767225600)
set(release_date 2026-01-01)
set(release_date_rfc "Thu, 01 Jan 2026 00:00:00 +0000")

# The texts that carry the version, and the man page and changelog compressed
# as Debian keeps them (gzip -9, no name or time in the header).
find_program(GZIP_PROGRAM gzip REQUIRED)
configure_file(${linux_sources}/example.kestrel.KestrelForges.metainfo.xml.in
    ${linux_staged}/example.kestrel.KestrelForges.metainfo.xml @ONLY)
configure_file(${linux_sources}/kestrel-forges.6.in ${linux_staged}/kestrel-forges.6 @ONLY)
configure_file(${linux_sources}/changelog.in ${linux_staged}/changelog @ONLY)
foreach(text IN ITEMS kestrel-forges.6 changelog)
    execute_process(COMMAND ${GZIP_PROGRAM} -9n -c ${linux_staged}/${text} OUTPUT_FILE ${linux_staged}/${text}.gz
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# The licence in Debian's machine-readable copyright format, from LICENSE itself,
# and what the game owes to others, from the notices the tarball carries.
set(linux_notices ${PROJECT_SOURCE_DIR}/docs/THIRD-PARTY-NOTICES-linux.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${linux_notices})
# A text as the body of a field: each line indented, each empty line a lone dot.
function(debian_field_text text out)
    string(STRIP "${text}" text)
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" holder "${licence}")
set(holder "${CMAKE_MATCH_1}")
string(FIND "${licence}" "Permission is hereby granted" start)
string(SUBSTRING "${licence}" ${start} -1 licence)
debian_field_text("${licence}" licence)
# The notices but their title and its underline.
file(READ ${linux_notices} notices)
string(REGEX REPLACE "^[^\n]*\n=+\n" "" notices "${notices}")
debian_field_text("${notices}" notices)
file(WRITE ${linux_staged}/copyright
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: Kestrel Forges Hazard Highway 3D\n"
    "Comment: ${notices}\n\n"
    "Files: *\nCopyright: ${holder}\nLicense: Expat\n ${licence}\n")

install(PROGRAMS ${stripped} DESTINATION games RENAME ${linux_name})
install(FILES ${PROJECT_SOURCE_DIR}/resources/gamesound.wav DESTINATION share/games/${linux_name})
install(FILES ${linux_sources}/kestrel-forges.desktop DESTINATION share/applications)
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${linux_sources}/kestrel-forges-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${linux_name}.png)
endforeach()
install(FILES ${linux_staged}/example.kestrel.KestrelForges.metainfo.xml DESTINATION share/metainfo)
install(FILES ${linux_staged}/kestrel-forges.6.gz DESTINATION share/man/man6)
install(FILES ${linux_staged}/copyright ${linux_staged}/changelog.gz DESTINATION share/doc/${linux_name})
install(FILES ${linux_notices} DESTINATION share/doc/${linux_name} RENAME THIRD-PARTY-NOTICES.txt)

# make package: kestrel-forges_<version>_amd64.deb from the same install rules (package_deb below),
# its SDL2 dependency found by dpkg-shlibdeps from what the game links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${linux_name})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "driving game: dodge the yellow blocks on a straight road")
set(CPACK_PACKAGE_DESCRIPTION "A car waits at the near end of a straight grey road that runs across a
green plain towards brown hills. Rows of yellow blocks come down the road;
the car only steps sideways to dodge them. Leave the road or touch a block
and the run is over; 70 waves or more is a victory. A looping tune plays
in the background.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${package_maintainer})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Only through package_deb: CMake's own package target would pack with today's date.
set(CPACK_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackDeb.cmake)
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackDebSource.cmake)
include(CPack)
# The release's date on every entry and the usual umask, whatever the packer's
# (folders and the package's own members take their modes from it), so that
# two builds give the same bytes.
add_custom_target(package_deb
    COMMAND sh -c "umask 022 && exec \"$@\"" package_deb ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
            ${CMAKE_CPACK_COMMAND} --config ${CPACK_OUTPUT_CONFIG_FILE}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR} VERBATIM)
