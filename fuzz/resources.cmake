# Parsers of the resource layer: the pak directory, the XML reader, the
# resource manifest and each image reader.
plix_fuzz_target(pak_directory SOURCES ${CMAKE_CURRENT_LIST_DIR}/resources/PakDirectoryFuzz.cpp
                 LIBS plix_resources)
plix_fuzz_target(xml_parser SOURCES ${CMAKE_CURRENT_LIST_DIR}/resources/XmlFuzz.cpp LIBS plix_resources)
plix_fuzz_target(resource_manifest SOURCES ${CMAKE_CURRENT_LIST_DIR}/resources/ManifestFuzz.cpp
                 LIBS plix_resources)
foreach(reader Png Jpeg Gif Tga J2k)
  string(TOLOWER ${reader} lower)
  plix_fuzz_target(${lower}_image SOURCES ${CMAKE_CURRENT_LIST_DIR}/resources/${reader}Fuzz.cpp
                   LIBS plix_resources)
endforeach()
# The scratch folder of the resource targets goes when the run ends.
if(PLIX_TESTS)
  add_test(NAME fuzz_scratch_folder_removed
           COMMAND ${CMAKE_COMMAND} -DREPLAY=$<TARGET_FILE:xml_parser_replay>
                   -DCORPUS=${PROJECT_SOURCE_DIR}/fuzz/corpus/xml_parser
                   -DBASE=${CMAKE_CURRENT_BINARY_DIR}/scratch_check
                   -P ${PROJECT_SOURCE_DIR}/fuzz/check/NoScratchLeft.cmake)
  set_tests_properties(fuzz_scratch_folder_removed PROPERTIES LABELS fuzz)
endif()
