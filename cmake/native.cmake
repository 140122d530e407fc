# Host build: portable logic with AddressSanitizer and UBSan, tested natively.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(lumora_portable PRIVATE ${SANITIZE} -g)
target_link_options(lumora_portable PUBLIC ${SANITIZE})

# The editor's platform-free logic, tested the same way.
add_library(tavrel_portable STATIC ${CMAKE_SOURCE_DIR}/app/case_fold.cpp ${CMAKE_SOURCE_DIR}/app/text_search.cpp)
target_include_directories(tavrel_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tavrel_portable PRIVATE ${TAVREL_WARNINGS} ${SANITIZE} -g)
target_link_options(tavrel_portable PUBLIC ${SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
foreach(src ${NATIVE_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(native_${name} ${src})
  target_compile_options(native_${name} PRIVATE ${TAVREL_WARNINGS} ${SANITIZE} -g)
  target_link_libraries(native_${name} PRIVATE lumora_portable tavrel_portable GTest::gtest_main)
  gtest_discover_tests(native_${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 60 LABELS native)
endforeach()

# Fuzz targets build with clang's libFuzzer when it is there; they are run by
# hand (tools/fuzz.sh), not by the test suite.
