# Lays out the sample disc in DISC: the menu and its library in the root,
# beside Pelmora.ini and autorun.inf, and a stand-in program wherever the
# disc names an installer, a start program or the product.
file(REMOVE_RECURSE "${DISC}")
file(COPY "${SOURCE}/" DESTINATION "${DISC}" PATTERN "tools" EXCLUDE)
file(COPY "${PELMORA}" "${LIRVO}" DESTINATION "${DISC}")
foreach(language Jpn Eng Sch)
  configure_file("${STANDIN}" "${DISC}/${language}/Setup.exe" COPYONLY)
  configure_file("${STANDIN}" "${DISC}/${language}/Free/CVStart.exe" COPYONLY)
  configure_file("${STANDIN}" "${DISC}/${language}/Free/CV.EXE" COPYONLY)
endforeach()
