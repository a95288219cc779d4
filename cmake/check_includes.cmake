# Fails when a file includes a folder of dravik/ that its target may not use.
#   -DFOLDER=catalogue -DALLOWED=walker|workspace -DFILES=a.cpp|a.h -DSTAMP=file
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" ALLOWED "${ALLOWED}")
string(REPLACE "|" ";" FILES "${FILES}")
foreach(file IN LISTS FILES)
    file(STRINGS "${file}" includes REGEX "^#include \"dravik/")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "dravik/([a-z_]+)/" found "${line}")
        set(used "${CMAKE_MATCH_1}")
        if(NOT used STREQUAL FOLDER AND NOT used IN_LIST ALLOWED)
            message(FATAL_ERROR "${file}: includes dravik/${used}/, which ${FOLDER}/ may not use "
                                "(its target links only: ${ALLOWED}). Link the target or move "
                                "the code down a layer.")
        endif()
    endforeach()
endforeach()
file(TOUCH "${STAMP}")
