# package_time.cmake -- read by cpack: every time stamp in the Debian package is the release's date
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_RELEASE_EPOCH})
