# What the application base reads: its settings from the settings file.
plix_fuzz_target(settings_values SOURCES ${CMAKE_CURRENT_LIST_DIR}/app/SettingsFuzz.cpp LIBS plix_app)
