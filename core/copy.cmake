# The rules of the fresh-install copy: optional archives, the engine's version.
target_sources(corvan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/copy_rules.cpp)
