# Shared helpers: one way to declare a library, a test and a benchmark.

set(TARVEK_WARNINGS -Wall -Wextra -ffp-contract=off)

# tarvek_add_library(<name> [STATIC|SHARED|OBJECT|INTERFACE] [QT_FREE]
#                    SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# Creates target <name> with alias tarvek::<short> (the name without the
# "tarvek_" prefix), C++20, warnings and hidden visibility. QT_FREE marks a
# target that must never link Qt, checked at the end of configuration.
function(tarvek_add_library name)
  cmake_parse_arguments(ARG "STATIC;SHARED;OBJECT;INTERFACE;QT_FREE" ""
                        "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  string(REGEX REPLACE "^tarvek_" "" short "${name}")
  if(ARG_INTERFACE)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    if(ARG_PUBLIC_LIBS)
      target_link_libraries(${name} INTERFACE ${ARG_PUBLIC_LIBS})
    endif()
  else()
    set(kind STATIC)
    if(ARG_SHARED)
      set(kind SHARED)
    elseif(ARG_OBJECT)
      set(kind OBJECT)
    endif()
    add_library(${name} ${kind} ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_features(${name} PUBLIC cxx_std_20)
    target_compile_options(${name} PRIVATE ${TARVEK_WARNINGS})
    set_target_properties(${name} PROPERTIES
      CXX_VISIBILITY_PRESET hidden
      VISIBILITY_INLINES_HIDDEN ON
      POSITION_INDEPENDENT_CODE ON)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  endif()
  add_library(tarvek::${short} ALIAS ${name})
  if(ARG_QT_FREE)
    set_property(GLOBAL APPEND PROPERTY TARVEK_QT_FREE_TARGETS ${name})
  endif()
endfunction()

# Collects every library a target links, directly or through other targets.
function(_tarvek_collect_links target out)
  set(seen "${${out}}")
  set(libs "")
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(l ${target} LINK_LIBRARIES)
    if(l)
      list(APPEND libs ${l})
    endif()
  endif()
  get_target_property(il ${target} INTERFACE_LINK_LIBRARIES)
  if(il)
    list(APPEND libs ${il})
  endif()
  foreach(lib IN LISTS libs)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
    if(lib IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${lib})
    if(TARGET ${lib})
      get_target_property(aliased ${lib} ALIASED_TARGET)
      if(aliased)
        set(lib ${aliased})
      endif()
      _tarvek_collect_links(${lib} seen)
    endif()
  endforeach()
  set(${out} "${seen}" PARENT_SCOPE)
endfunction()

# Fails configuration when a target marked QT_FREE links Qt in any way.
function(tarvek_check_qt_free)
  get_property(targets GLOBAL PROPERTY TARVEK_QT_FREE_TARGETS)
  foreach(t IN LISTS targets)
    set(all "")
    _tarvek_collect_links(${t} all)
    foreach(lib IN LISTS all)
      if(lib MATCHES "^Qt[0-9]*::" OR lib MATCHES "Qt[0-9]+(Core|Gui|Widgets)")
        message(FATAL_ERROR "${t} must stay free of Qt but links ${lib}")
      endif()
    endforeach()
  endforeach()
endfunction()

set(TARVEK_TEST_HOME "${PROJECT_BINARY_DIR}/test-home")
file(MAKE_DIRECTORY "${TARVEK_TEST_HOME}/config" "${TARVEK_TEST_HOME}/runtime")
file(CHMOD "${TARVEK_TEST_HOME}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# tarvek_add_test(<name> LABEL unit|gui|gl|oracle [COMMA_LOCALE] [TIMEOUT s]
#                 SOURCES ... [LIBS ...])
# One test executable, registered as one CTest test with the label. The test
# never sees the user's files: HOME and the XDG folders point into the build
# tree. COMMA_LOCALE registers a second run under a comma-decimal locale.
function(tarvek_add_test name)
  cmake_parse_arguments(ARG "COMMA_LOCALE" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL MATCHES "^(unit|gui|gl|oracle)$")
    message(FATAL_ERROR "tarvek_add_test(${name}): LABEL must be unit, gui, gl or oracle")
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TARVEK_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_LABEL STREQUAL "gui" OR ARG_LABEL STREQUAL "gl")
    target_link_libraries(${name} PRIVATE tarvek_test_main_qt)
  else()
    target_link_libraries(${name} PRIVATE tarvek_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    TARVEK_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}/tests"
    TARVEK_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")

  set(env
    "HOME=${TARVEK_TEST_HOME}"
    "XDG_CONFIG_HOME=${TARVEK_TEST_HOME}/config"
    "XDG_RUNTIME_DIR=${TARVEK_TEST_HOME}/runtime"
    "TARVEK_DATA_DIR=${PROJECT_SOURCE_DIR}/data")
  if(ARG_LABEL STREQUAL "gl")
    add_test(NAME ${name}
      COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    list(APPEND env "QT_QPA_PLATFORM=xcb")
    if(ENABLE_SANITIZERS)
      list(APPEND env "LD_PRELOAD=$<TARGET_FILE:tarvek_keep_loaded>")
    endif()
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK xvfb)
  else()
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_LABEL STREQUAL "gui")
      list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}"
    SKIP_RETURN_CODE 77)

  if(ARG_COMMA_LOCALE)
    add_test(NAME ${name}_comma_locale COMMAND ${name})
    set_tests_properties(${name}_comma_locale PROPERTIES
      LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT}
      ENVIRONMENT "${env};LC_ALL=de_DE.UTF-8;TARVEK_TEST_LOCALE=de_DE.UTF-8"
      SKIP_RETURN_CODE 77)
  endif()
endfunction()

# tarvek_add_bench(<name> SOURCES ... [LIBS ...]): a Google Benchmark program,
# built with the tests and run by hand.
function(tarvek_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TARVEK_WARNINGS})
  target_link_libraries(${name} PRIVATE benchmark::benchmark_main ${ARG_LIBS})
endfunction()

# tarvek_add_fuzz(<name> SOURCES ... [LIBS ...] [INSTRUMENT ...]): a libFuzzer
# entry point, built only with ENABLE_FUZZ. The libraries named in INSTRUMENT
# get coverage instrumentation so the fuzzer sees inside the reader.
# scripts/test --sanitize runs every fuzz_* program over the seed corpus in
# tests/fuzz/corpus/<name>/ when that folder exists.
function(tarvek_add_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;INSTRUMENT" ${ARGN})
  if(NOT ENABLE_FUZZ)
    return()
  endif()
  if(NOT name MATCHES "^fuzz_")
    message(FATAL_ERROR "tarvek_add_fuzz(${name}): the name must start with fuzz_")
  endif()
  foreach(lib IN LISTS ARG_INSTRUMENT)
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  endforeach()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TARVEK_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}/tests")
  target_compile_options(${name} PRIVATE ${TARVEK_WARNINGS} -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()
