# Makes the second brand from the sample one and builds Pelmora.exe and
# Lirvo.dll from it, as a publisher would: configure with -DPELMORA_BRAND,
# build the two binaries. Only those two are built, to keep the test short.
#   cmake -DPYTHON= -DSOURCE= -DWORK= -DGENERATOR= -DTOOLCHAIN= -DBUILD_TYPE= -DTHREADS= -P BuildSecondBrand.cmake
execute_process(COMMAND ${PYTHON} ${SOURCE}/tests/brand/second_brand.py ${SOURCE}/brands/corvane ${WORK}/brand
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "making the second brand failed")
endif()

if(NOT EXISTS ${WORK}/build/CMakeCache.txt)
  set(threads)
  if(THREADS)
    set(threads -DPELMORA_THREADS=${THREADS})
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G ${GENERATOR}
            -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=${BUILD_TYPE} ${threads}
            -DPELMORA_RUN_TESTS=OFF -DPELMORA_BRAND=${WORK}/brand
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE ${WORK}/build/CMakeCache.txt)
    message(FATAL_ERROR "configuring with the second brand failed")
  endif()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build --target Pelmora Lirvo --parallel 2
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building with the second brand failed")
endif()
