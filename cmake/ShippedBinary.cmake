# Link settings of the files we ship, Pelmora.exe and Lirvo.dll.

# Writes the linker's map beside the target's file (<name>.map): where each
# piece of code came from, for the instruction-set check. The map changes
# nothing in the file linked.
function(pelmora_link_map target)
  target_link_options(${target} PRIVATE
    "-Wl,-Map=$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.map")
endfunction()

# A Windows GUI program or library. The 32-bit files ask for subsystem
# version 4.0, which Windows 98 SE and Me load (they refuse a file that asks
# for 5.0 or later).
function(pelmora_shipped_binary target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--subsystem,windows:4.0)
  else()
    target_link_options(${target} PRIVATE -Wl,--subsystem,windows)
  endif()
  pelmora_link_map(${target})
  pelmora_reproducible(${target})
  # Run from the page file when started from a disc or a network share
  # (the linker has no switch for these two flags).
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${PELMORA_PYTHON}" "${PROJECT_SOURCE_DIR}/cmake/run_from_swap.py" "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()

# The same commit gives the same bytes, whatever folder it is built in and
# whenever: the files carry the commit's date (SOURCE_DATE_EPOCH when set),
# not the time of the link, and neither the build's paths nor the host's
# name. The date is looked up at every build; a new one links again.
set(PELMORA_SOURCE_DATE_FILE ${CMAKE_BINARY_DIR}/source-date-epoch)
add_custom_target(pelmora_source_date
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DOUTPUT=${PELMORA_SOURCE_DATE_FILE}
          -P ${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake
  BYPRODUCTS ${PELMORA_SOURCE_DATE_FILE}
  COMMENT "Looking up the source date")
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

function(pelmora_reproducible target)
  add_dependencies(${target} pelmora_source_date)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PELMORA_SOURCE_DATE_FILE})
  set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/link-at-source-date.sh ${PELMORA_SOURCE_DATE_FILE})
endfunction()
