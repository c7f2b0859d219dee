# The button kinds, the painted buttons' layouts and the captions' accelerators.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/accelerator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_layout.cpp)
