# Shared build settings and the small helpers every folder uses.

add_library(corvane_warnings INTERFACE)
target_compile_options(corvane_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports impossible overlaps inside std::string assignments (its bug 105329).
    target_compile_options(corvane_warnings INTERFACE -Wno-restrict)
endif()
if(CORVANE_WERROR)
    target_compile_options(corvane_warnings INTERFACE -Werror)
endif()

if(CORVANE_SANITIZE)
    add_compile_options(-fsanitize=${CORVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${CORVANE_SANITIZE})
endif()

# corvane_add_library(NAME SOURCES ... [DEPS ...])
# A Qt-free layer library; src/ is the include root ("store/AdoConnection.h").
function(corvane_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE corvane_warnings)
endfunction()

# corvane_add_test(NAME SOURCES ... DEPS ... [LABELS ...])
# One GoogleTest executable per component, registered with ctest. Labels pick the
# sanitizer runs: "core" (address/undefined), "thread" (thread), "gui", "x11".
function(corvane_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main
                                          corvane_warnings)
    target_compile_definitions(${name} PRIVATE CORVANE_BINARY_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 600)
endfunction()
