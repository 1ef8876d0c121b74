# setup_embed_form(<target> <form text> <files dir> [NAME <resource>] [RESERVE <bytes>]
#                  [DEPENDS <file>...])
#
# Builds the form text into <target> as a named resource (TSETUPFORM unless NAME says
# otherwise), which the program reads with setupkit::form::findResource. The install
# script's file records take their sizes and dates from the files of that name in
# <files dir> (relative to the calling folder; pass "" to keep them as written); list in DEPENDS the files whose changes
# should rebuild the resource. RESERVE leaves room for `setupres patch` to put a larger
# form into the finished program without changing its size.
function(setup_embed_form target form_text files_dir)
  cmake_parse_arguments(EMBED "" "NAME;RESERVE" "DEPENDS" ${ARGN})
  if(NOT EMBED_NAME)
    set(EMBED_NAME TSETUPFORM)
  endif()
  get_filename_component(form_path "${form_text}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources")
  set(stream "${out_dir}/${EMBED_NAME}.res")
  set(source "${out_dir}/${EMBED_NAME}.cpp")
  set(reserve_option)
  if(EMBED_RESERVE)
    set(reserve_option --reserve ${EMBED_RESERVE})
  endif()
  set(files_option)
  if(NOT "${files_dir}" STREQUAL "")
    get_filename_component(files_path "${files_dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set(files_option --files "${files_path}")
  endif()
  add_custom_command(
    OUTPUT "${stream}" "${source}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${out_dir}"
    COMMAND setupres compile "${form_path}" "${stream}" ${files_option}
    COMMAND setupres embed "${stream}" "${source}" --name ${EMBED_NAME} ${reserve_option}
    DEPENDS setupres "${form_path}" ${EMBED_DEPENDS}
    COMMENT "Building the form ${form_text} into ${target} as ${EMBED_NAME}"
    VERBATIM)
  target_sources(${target} PRIVATE "${source}")
  target_link_libraries(${target} PRIVATE setup_form)
endfunction()
