# The formatted label's markup and the layout rules of check boxes and radio groups.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fmt_markup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_layout.cpp)
