# Settings shared by every Windows target: Unicode Win32, static, small.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_compile_options(-Os -ffunction-sections -fdata-sections)
  add_link_options(-s -Wl,--gc-sections)
endif()

# Wine runs the Windows tests: each run gets a fresh copy of the build's pristine prefix.
set(CORVAN_WINE_PRISTINE ${CMAKE_BINARY_DIR}/wine/pristine)
configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# add_wine_test(NAME SOURCES...): a GoogleTest executable that runs under Wine in its own
# prefix, with the entry point and helpers every Wine test shares (tests/win32).
function(add_wine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE corvan_win32 win32_test_support)
  target_link_options(${name} PRIVATE -mconsole)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
