# Small helpers so that every library, program and test is declared the same way.

set(LANX_WARNINGS -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)

# lanx_add_library(NAME SOURCES ... LINKS ...)
function(lanx_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  target_compile_options(${name} PRIVATE ${LANX_WARNINGS})
endfunction()

# lanx_add_program(NAME SOURCES ... LINKS ...)
function(lanx_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  target_compile_options(${name} PRIVATE ${LANX_WARNINGS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()

# The core must stay free of any GUI module: screens, printing and the command line build on
# it, never the other way round. Fails the configure step when a GUI module sneaks in.
function(lanx_forbid_gui_links target)
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(lib IN LISTS links)
    if(lib MATCHES "Widgets|Gui|PrintSupport")
      message(FATAL_ERROR "${target} must not link ${lib}: it is the UI-free core")
    endif()
  endforeach()
endfunction()

# lanx_add_db_test(NAME SOURCES ... LINKS ...)
# A GoogleTest program over the database that CTest runs twice: on SQLite and on PostgreSQL.
# The PostgreSQL run needs LANX_TEST_PG (host:port of a throwaway server); the runs on that one
# server take turns.
# With GUI, the program runs with a QApplication for screen tests (offscreen).
function(lanx_add_db_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} lanx_test_ui_main)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} lanx_test_main)
  endif()
  target_compile_options(${name} PRIVATE ${LANX_WARNINGS})
  foreach(provider sqlite postgresql)
    add_test(NAME ${name}_${provider} COMMAND ${name})
    set_tests_properties(${name}_${provider} PROPERTIES
      ENVIRONMENT "LANX_TEST_PROVIDER=${provider};QT_QPA_PLATFORM=offscreen"
      SKIP_RETURN_CODE 77)
  endforeach()
  set_tests_properties(${name}_postgresql PROPERTIES RESOURCE_LOCK postgres)
endfunction()

# lanx_add_test(NAME SOURCES ... LINKS ...): a GoogleTest program that needs no database.
function(lanx_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} lanx_test_main)
  target_compile_options(${name} PRIVATE ${LANX_WARNINGS})
  add_test(NAME ${name} COMMAND ${name})
endfunction()
