# The brand: the pictures, icon, texts and version fields that make a disc a
# publisher's own, read from a brand folder (PELMORA_BRAND) and converted by
# make_brand.py into the formats the program carries, in <build>/brand.
# Included before project(), so that a faulty brand folder stops the
# configure step at once, before the compilers are looked for.
#
# Sets PELMORA_BRAND_BUILD (the converted brand), PELMORA_BRAND_PICTURES
# (its picture files) and PELMORA_BRAND_PACKED_PICTURES (the same, as the
# zlib streams the program carries), and puts PELMORA_BRAND_BUILD on the resource
# compiler's include path, where the .rc files find the generated files.

set(PELMORA_BRAND "${CMAKE_SOURCE_DIR}/brands/corvane" CACHE PATH
    "The brand folder that Pelmora.exe and Lirvo.dll are built from")
get_filename_component(pelmora_brand_dir "${PELMORA_BRAND}" ABSOLUTE BASE_DIR "${CMAKE_SOURCE_DIR}")

# Debian's Pillow belongs to the system's Python, which comes first.
find_program(PELMORA_PYTHON NAMES python3 HINTS /usr/bin
             DOC "Python 3 with Pillow, which converts the brand's pictures")
if(NOT PELMORA_PYTHON)
  message(FATAL_ERROR "Converting the brand needs Python 3 with Pillow (Debian: python3 python3-pil).")
endif()

set(PELMORA_BRAND_BUILD "${CMAKE_BINARY_DIR}/brand")
execute_process(
  COMMAND "${PELMORA_PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/make_brand.py" "${pelmora_brand_dir}" "${PELMORA_BRAND_BUILD}"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  RESULT_VARIABLE pelmora_brand_result
  ERROR_VARIABLE pelmora_brand_faults)
if(NOT pelmora_brand_result EQUAL 0)
  # Indented lines are printed as they are: one fault, one line.
  string(STRIP "${pelmora_brand_faults}" pelmora_brand_faults)
  string(REPLACE "\n" "\n  " pelmora_brand_faults "  ${pelmora_brand_faults}")
  message(FATAL_ERROR "The brand folder ${PELMORA_BRAND} cannot be built:\n${pelmora_brand_faults}")
endif()

# Configure again when anything in the brand folder, or the converter, changes.
file(GLOB_RECURSE pelmora_brand_sources CONFIGURE_DEPENDS "${pelmora_brand_dir}/*")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${pelmora_brand_sources} "${CMAKE_CURRENT_LIST_DIR}/make_brand.py" "${CMAKE_CURRENT_LIST_DIR}/pictureformats.py")

file(GLOB PELMORA_BRAND_PICTURES "${PELMORA_BRAND_BUILD}/pictures/*.bmp")
file(GLOB PELMORA_BRAND_PACKED_PICTURES "${PELMORA_BRAND_BUILD}/pictures/*.bmp.z")
include_directories($<$<COMPILE_LANGUAGE:RC>:${PELMORA_BRAND_BUILD}>)
