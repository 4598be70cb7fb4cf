# Parsers of the platform layer: the registry file.
plix_fuzz_target(registry_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform/RegistryFileFuzz.cpp
                 LIBS plix_platform)
