# The backdrop's and the instructions viewer's rules: version text, placements, file names.
target_sources(corvan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/backdrop.cpp)
