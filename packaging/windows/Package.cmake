# The Windows zip: vorlane.exe, the licence and a short README (made from
# README.txt.in and CHANGELOG.md) at its top, so that Windows' "Extract
# all" gives one folder named after the zip, not a folder in a folder.
# cpack -G ZIP in the build folder makes it.
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vorlane developers")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(VORLANE_WINDOWS_BITS win32)
else()
    set(VORLANE_WINDOWS_BITS win64)
endif()
set(CPACK_PACKAGE_FILE_NAME vorlane-${PROJECT_VERSION}-${VORLANE_WINDOWS_BITS})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
