# Font description scripts: arbitrary bytes read as a bitmap font's
# description, then measured and drawn.
plix_fuzz_target(font_description
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FontDescriptionFuzz.cpp
  LIBS plix_graphics)
