# The archive reader: ZIP over zlib, linked statically into the Windows programs so
# INSTALL.EXE needs no zlib DLL beside it.
target_sources(corvan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_name_case.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zip_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zip_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zip_failure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unpack_folders.cpp
)
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
target_link_libraries(corvan_core PUBLIC ZLIB::ZLIB)
# The Windows programs are built for size; the archive reader stays built for speed, as
# every byte an installation unpacks goes through it.
if(WIN32)
  set_source_files_properties(
    ${CMAKE_CURRENT_LIST_DIR}/zip_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/zip_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_name_case.cpp
    PROPERTIES COMPILE_OPTIONS -O2)
endif()
