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
  # Run from the page file when started from a disc or a network share
  # (the linker has no switch for these two flags).
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${PELMORA_PYTHON}" "${PROJECT_SOURCE_DIR}/cmake/run_from_swap.py" "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()
