# Folder-shaped targets: a library is every .cpp in its folder, a test binary every *_test.cpp in its
# folder, so adding a file never means editing a build script.

# corvina_library(NAME [DEPS ...]): a static library of this folder's .cpp files. DEPS are the
# libraries its files may include (the arrows of layers.txt), handed on to whoever uses it, since its
# headers include theirs. Everything includes from src/ ("model/TaskTree.h", "platform/core/Archive.h").
function(corvina_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${ARGN})
endfunction()

# corvina_tests(NAME [LABELS label...] [MAIN main-library] DEPS ...): one test binary of this folder's
# *_test.cpp files, registered with ctest. Without MAIN, GoogleTest's own main is used.
function(corvina_tests name)
  cmake_parse_arguments(arg "" "MAIN" "LABELS;DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  if(arg_MAIN)
    target_link_libraries(${name} PRIVATE ${arg_DEPS} ${arg_MAIN} GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${arg_DEPS} GTest::gtest_main GTest::gmock)
  endif()
  # The shared test support is included as "support/TestFolder.h".
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE CORVINA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(arg_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${arg_LABELS}")
  endif()
endfunction()
