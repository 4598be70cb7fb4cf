# The demo file of the application shell.
plix_fuzz_target(demo_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/demo/DemoFileFuzz.cpp LIBS plix_app)
