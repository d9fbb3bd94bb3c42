# Shared build helpers. Every subsystem library, test and benchmark goes through these,
# so warnings, sanitizers and the test environment are set in one place.

function(lx_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${LX_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${LX_WERROR}>:-Werror>)
  endif()
  if(LX_SANITIZE AND NOT MSVC)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_NO_CAST_FROM_BYTEARRAY)
endfunction()

# lx_add_library(<name> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per subsystem folder; its headers are included as "<folder>/Header.h".
function(lx_add_library name)
  cmake_parse_arguments(A "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_PUBLIC_LIBS} PRIVATE ${A_PRIVATE_LIBS})
  lx_warnings(${name})
endfunction()

# lx_add_test(<name> SOURCES ... LIBS ... [TIMEOUT s])
# Qt tests run headless; LX_FIXTURES points at tests/fixtures as an absolute path. Each test
# gets its own config folder, so no test (nor a program it starts) touches the user's settings.
# Under the sanitizers the Firebird client's own process-long allocations are not reported.
function(lx_add_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE LX_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
                                             LX_BIN_DIR="${LX_BIN_DIR}")
  lx_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LX_FIXTURES=${PROJECT_SOURCE_DIR}/tests/fixtures;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/src/db/lsan-firebird.supp"
    TIMEOUT ${A_TIMEOUT})
endfunction()

# lx_add_bench(<name> SOURCES ... LIBS ...): a bench_<what> executable, never run by CTest.
function(lx_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  lx_warnings(${name})
endfunction()

# Subfolders of src/, tests/ and bench/ are picked up in dependency order as they appear.
# "support" (tests only) holds shared test helpers.
set(LX_SUBSYSTEMS support text profile db device widgets settings form editors print import app CACHE INTERNAL "")
macro(lx_add_present_subdirectories)
  foreach(sub ${LX_SUBSYSTEMS})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/CMakeLists.txt)
      add_subdirectory(${sub})
    endif()
  endforeach()
endmacro()
