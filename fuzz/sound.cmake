# The sample file readers of the sound manager: WAV, Ogg Vorbis and Sun audio.
foreach(kind wav ogg au)
  plix_fuzz_target(sound_${kind}
                   SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/Sound_${kind}Fuzz.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/sound/SoundFuzzCommon.cpp
                   LIBS plix_sound plix_resources plix_platform)
endforeach()
