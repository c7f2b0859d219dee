# Disk sets, part order and the progress counters of the copy pages.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/disk_sets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extract_progress.cpp)
