# Parsers of the shop floor: the environment file.
plix_fuzz_target(environment_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/board/EnvironmentFileFuzz.cpp LIBS game_floor)
