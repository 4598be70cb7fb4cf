# The 3D test's card lists (vhw.dat, vhwb.dat) beside the game.
plix_fuzz_target(card_lists SOURCES ${CMAKE_CURRENT_LIST_DIR}/graphics/CardListsFuzz.cpp LIBS plix_graphics)
