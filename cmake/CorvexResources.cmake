# Resource tables: a module's strings, dialog templates and version block, written in
# a resource source (.rc, see tools/rescomp/resource_source_parser.h) and compiled in
# as one exported table by the resource compiler `rescomp`.

# The table's symbol, as platform/src/resource_format.h names it.
set(CORVEX_RESOURCE_TABLE_SYMBOL corvex_resource_table)

# Compiles `rc_file` into the table of an existing program or library.
function(corvex_add_resources target rc_file)
  get_filename_component(source ${rc_file} ABSOLUTE)
  get_filename_component(stem ${rc_file} NAME_WE)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_resources.cpp)
  add_custom_command(OUTPUT ${generated}
    COMMAND rescomp ${source} ${generated}
    DEPENDS rescomp ${source}
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${generated})
  # Pure data: nothing for the sanitizers to check, and a resource-only module must
  # not depend on their run-time libraries.
  set_source_files_properties(${generated} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS -fno-sanitize=all)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    # A program's symbols are not dynamic by default; the loader must see its table.
    target_link_options(${target} PRIVATE "LINKER:--export-dynamic-symbol=${CORVEX_RESOURCE_TABLE_SYMBOL}")
  endif()
endfunction()

# A resource-only shared object: its table and nothing else, named <OUTPUT_NAME>.LNG,
# laid out in ${CORVEX_PROGRAM_DIR}/<DESTINATION_SUBDIR> and installed there.
# FOR_TESTS lays it out in <build>/tests/<DESTINATION_SUBDIR> instead, not installed.
#   corvex_resource_module(name file.rc OUTPUT_NAME CorvexRegistration DESTINATION_SUBDIR Lng)
function(corvex_resource_module name rc_file)
  cmake_parse_arguments(R "FOR_TESTS" "OUTPUT_NAME;DESTINATION_SUBDIR" "" ${ARGN})
  if(NOT R_OUTPUT_NAME)
    set(R_OUTPUT_NAME ${name})
  endif()
  if(R_FOR_TESTS)
    set(folder ${CMAKE_BINARY_DIR}/tests/${R_DESTINATION_SUBDIR})
  else()
    set(folder ${CORVEX_PROGRAM_DIR}/${R_DESTINATION_SUBDIR})
  endif()
  add_library(${name} MODULE)
  corvex_add_resources(${name} ${rc_file})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".LNG"
    OUTPUT_NAME ${R_OUTPUT_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${folder})
  # No start files, no C or C++ run-time: the module holds nothing but its table.
  target_link_options(${name} PRIVATE -nostdlib)
  if(NOT R_FOR_TESTS)
    install(TARGETS ${name} LIBRARY DESTINATION ./${R_DESTINATION_SUBDIR})
  endif()
endfunction()
