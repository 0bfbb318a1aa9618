# Run by the build (cmake -P): makes the files the packages carry from
# CHANGELOG.md, LICENSE and the templates beside this script.
#   -DSOURCE_DIR=  the checkout       -DOUTPUT_DIR=  where the files go
#   -DPLATFORM=    Linux or Windows
#   -DMAINTAINER=, -DHOMEPAGE=, -DSCREENSHOTS= (their folder's URL), -DAPPSTREAM_ID=
# Linux: changelog.gz (Debian's format), copyright (Debian's machine-readable
# format), <APPSTREAM_ID>.metainfo.xml, man/vorlane.1.gz, man/echolink-sim.1.gz.
# Windows: README.txt with its "What's new", and LICENSE.txt, both CR LF.

include(${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake)

set(here ${CMAKE_CURRENT_LIST_DIR})
changelog_read(${SOURCE_DIR}/CHANGELOG.md)
set(VERSION ${CHANGELOG_0_VERSION})
set(DATE ${CHANGELOG_0_DATE})

# gzip -9n: no name and no time stamp inside, so that equal input makes
# equal packages.
function(gzip_file file)
    execute_process(COMMAND gzip -9nc ${file} OUTPUT_FILE ${file}.gz RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip could not compress ${file}")
    endif()
endfunction()

# The licence text as a Debian copyright file wants it: indented by one
# blank, with "." for an empty line. COPYRIGHT is the year and holder.
function(read_license)
    file(READ ${SOURCE_DIR}/LICENSE license)
    if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)\n+(.*[^\n])\n*$")
        message(FATAL_ERROR "LICENSE has no \"Copyright (c) YEAR HOLDER\" line")
    endif()
    set(COPYRIGHT "${CMAKE_MATCH_1}" PARENT_SCOPE)
    set(text "${CMAKE_MATCH_2}")
    string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
    string(REGEX REPLACE "\n" "\n " text " ${text}")
    set(LICENSE_TEXT "${text}" PARENT_SCOPE)
endfunction()

if(PLATFORM STREQUAL "Windows")
    changelog_text(WHATS_NEW)
    # NEWLINE_STYLE turns the template's lines into CR LF, not the text put in.
    string(REPLACE "\n" "\r\n" WHATS_NEW "${WHATS_NEW}")
    configure_file(${here}/windows/README.txt.in ${OUTPUT_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
    configure_file(${SOURCE_DIR}/LICENSE ${OUTPUT_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
    return()
endif()

changelog_debian(vorlane "${MAINTAINER}" debian_changelog)
file(WRITE ${OUTPUT_DIR}/changelog "${debian_changelog}")
gzip_file(${OUTPUT_DIR}/changelog)

read_license()
configure_file(${here}/copyright.in ${OUTPUT_DIR}/copyright @ONLY)

changelog_appstream("    " RELEASES)
configure_file(${here}/${APPSTREAM_ID}.metainfo.xml.in ${OUTPUT_DIR}/${APPSTREAM_ID}.metainfo.xml @ONLY)

foreach(page vorlane echolink-sim)
    configure_file(${here}/man/${page}.1.in ${OUTPUT_DIR}/man/${page}.1 @ONLY)
    gzip_file(${OUTPUT_DIR}/man/${page}.1)
endforeach()
