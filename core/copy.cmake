# The rules of the fresh-install pages: the folders typed or picked, optional archives,
# the engine's version.
target_sources(corvan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/copy_rules.cpp ${CMAKE_CURRENT_LIST_DIR}/folder_path.cpp)
