# Lays the sample settings files out in a program folder, with @PROGRAM_DIR@ and
# @BUILD_STAMP@ filled, so that a program's start finds nothing to write beside it
# (a program folder may belong to root).
#   SAMPLE_DIR   the templates
#   DEST_DIR     where the files go
#   PROGRAM_DIR  the program folder the files will be read from (no trailing separator)
#   BUILD_DATE   the settings library's build date, "Sep 06 2022"
file(GLOB_RECURSE sample_files RELATIVE ${SAMPLE_DIR} ${SAMPLE_DIR}/*)
# The stamp as the library writes it when the file has none: month padded, day not.
string(REGEX MATCH "^([A-Z][a-z][a-z]) 0?([0-9]+) ([0-9]+)$" date_parts "${BUILD_DATE}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_1}" month_index)
math(EXPR month "${month_index} + 1")
string(LENGTH "${month}" month_digits)
if(month_digits EQUAL 1)
  set(month "0${month}")
endif()
set(BUILD_STAMP "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_2}")
foreach(sample_file IN LISTS sample_files)
  configure_file(${SAMPLE_DIR}/${sample_file} ${DEST_DIR}/${sample_file} @ONLY)
endforeach()
