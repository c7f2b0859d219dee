# The button kinds and the painted buttons' layouts.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/button_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_layout.cpp)
