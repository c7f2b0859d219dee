# The installation finder's rules: alias folder, drive root, profile values, the search.
target_sources(corvan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app_finder.cpp)
