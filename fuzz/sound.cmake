# The sample file readers of the sound manager: WAV, Ogg Vorbis and Sun audio.
foreach(kind wav ogg au)
  plix_fuzz_target(sound_${kind}
                   SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/Sound_${kind}Fuzz.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/sound/SoundFuzzCommon.cpp
                   LIBS plix_sound plix_resources plix_platform)
endforeach()
# Streamed songs through the music layer.
plix_fuzz_target(song_stream SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/SongStreamFuzz.cpp
                 LIBS plix_sound plix_platform)
