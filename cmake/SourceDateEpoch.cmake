# Writes the time that the shipped files are stamped with, in seconds since
# 1970, to OUTPUT: SOURCE_DATE_EPOCH when it is set, else the date of the
# last commit of the SOURCE checkout (0 outside a checkout). The file is
# rewritten only when the value changes, so a new commit links the shipped
# files again and nothing else does.
#   cmake -DSOURCE=<source folder> -DOUTPUT=<file> -P SourceDateEpoch.cmake
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${epoch}\", not a number of seconds")
  endif()
else()
  find_program(git NAMES git)
  set(epoch "")
  if(git)
    execute_process(COMMAND "${git}" -C "${SOURCE}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(STATUS "No commit date in ${SOURCE} and no SOURCE_DATE_EPOCH: the shipped files carry time stamp 0")
    set(epoch 0)
  endif()
endif()
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL "${epoch}")
  file(WRITE "${OUTPUT}" "${epoch}")
endif()
