# The configuration page's rules: the program group's macros.
target_sources(corvan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/group_macros.cpp)
