# The toolkit's portable rules: gradients, title and dialog layouts, picture rectangles.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/title_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_rect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_text.cpp)
