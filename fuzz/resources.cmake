# Parsers of the resource layer: the pak directory, the XML reader, the
# resource manifest and each image reader.
plix_fuzz_target(pak_directory SOURCES ${CMAKE_CURRENT_LIST_DIR}/resources/PakDirectoryFuzz.cpp
                 LIBS plix_resources)
