# The HTML engine of the view: character sets, parser, style, layout.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/html_charset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_entities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_css.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_frames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_widths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_links.cpp
  ${CMAKE_CURRENT_LIST_DIR}/html_hit.cpp
)
