# Lays the sample settings files out in a program folder, with @PROGRAM_DIR@ filled.
#   SAMPLE_DIR   the templates
#   DEST_DIR     where the files go
#   PROGRAM_DIR  the program folder the files will be read from (no trailing separator)
file(GLOB_RECURSE sample_files RELATIVE ${SAMPLE_DIR} ${SAMPLE_DIR}/*)
foreach(sample_file IN LISTS sample_files)
  configure_file(${SAMPLE_DIR}/${sample_file} ${DEST_DIR}/${sample_file} @ONLY)
endforeach()
