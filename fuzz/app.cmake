# What the application base reads: its settings from the settings file.
plix_fuzz_target(settings_values SOURCES ${CMAKE_CURRENT_LIST_DIR}/app/SettingsFuzz.cpp LIBS plix_app)
# The command line, with the numbered demos "-recnum" and "-playnum" look for.
plix_fuzz_target(command_line SOURCES ${CMAKE_CURRENT_LIST_DIR}/app/CommandLineFuzz.cpp LIBS plix_app)
