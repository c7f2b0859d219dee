# The engine registration rules (registry template, use count).
target_sources(corvan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/reg_template.cpp)
