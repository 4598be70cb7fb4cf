# Runs a fuzz replay with its scratch folders under a fresh folder and fails
# when anything is left there afterwards.
#   cmake -DREPLAY=<exe> -DCORPUS=<folder> -DBASE=<folder> -P NoScratchLeft.cmake
file(REMOVE_RECURSE ${BASE})
file(MAKE_DIRECTORY ${BASE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env PLIX_FUZZ_SCRATCH=${BASE} ${REPLAY} ${CORPUS}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the replay failed: ${result}")
endif()
file(GLOB left ${BASE}/*)
file(REMOVE_RECURSE ${BASE})
if(left)
  message(FATAL_ERROR "left behind: ${left}")
endif()
