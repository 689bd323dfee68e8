# Copies SRC into DST. A file is replaced only when the shipped copy is newer than the
# one in the program folder, so settings written at run time survive a rebuild.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f ${files})
  set(from ${SRC}/${f})
  set(to ${DST}/${f})
  if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
    get_filename_component(dir ${to} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${from} ${to})
  endif()
endforeach()
