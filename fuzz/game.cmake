# Parsers of the game application: the level table and the profile file.
plix_fuzz_target(level_table SOURCES ${CMAKE_CURRENT_LIST_DIR}/game/LevelTableFuzz.cpp LIBS game_app)
plix_fuzz_target(profile_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/game/ProfileFileFuzz.cpp LIBS game_app)
