# Host build: portable logic with AddressSanitizer and UBSan, tested natively.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(lumora_portable PRIVATE ${SANITIZE} -g)
target_link_options(lumora_portable PUBLIC ${SANITIZE})
# The image decoders (toolkit/image) against the system's libpng and libjpeg.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(lumora_portable PUBLIC PNG::PNG JPEG::JPEG)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# The editor's platform-free logic that its native tests reach.
add_library(tavrel_portable STATIC ${CMAKE_SOURCE_DIR}/app/recent/recent_files_list.cpp
            ${CMAKE_SOURCE_DIR}/app/spelling/spell_words.cpp ${CMAKE_SOURCE_DIR}/app/spelling/personal_word_list.cpp
            ${CMAKE_SOURCE_DIR}/app/spelling/spell_pending_ranges.cpp ${CMAKE_SOURCE_DIR}/app/spelling/spell_verdict_cache.cpp
            ${CMAKE_SOURCE_DIR}/app/search/case_fold.cpp ${CMAKE_SOURCE_DIR}/app/search/text_search.cpp
            ${CMAKE_SOURCE_DIR}/app/printing/page_loop.cpp ${CMAKE_SOURCE_DIR}/app/search/pending_marks.cpp
            ${CMAKE_SOURCE_DIR}/app/document/path_forms.cpp
            ${CMAKE_SOURCE_DIR}/app/document/file_stamp.cpp ${CMAKE_SOURCE_DIR}/app/document/side_file_writer.cpp
            ${CMAKE_SOURCE_DIR}/app/document/document_room.cpp ${CMAKE_SOURCE_DIR}/app/shell/command_table.cpp)
target_include_directories(tavrel_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tavrel_portable PRIVATE ${TAVREL_WARNINGS} ${SANITIZE} -g)
target_link_options(tavrel_portable PUBLIC ${SANITIZE})

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
foreach(src ${NATIVE_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(native_${name} ${src})
  target_compile_options(native_${name} PRIVATE ${TAVREL_WARNINGS} ${SANITIZE} -g)
  target_link_libraries(native_${name} PRIVATE lumora_portable tavrel_portable GTest::gtest_main)
  gtest_discover_tests(native_${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 60 LABELS native)
endforeach()

# The skin archive tool, for the host: plain optimised code, no sanitizers,
# so that packing a folder of images is quick.
add_executable(sknz-pack ${CMAKE_SOURCE_DIR}/tools/sknz/sknz_pack.cpp
               ${CMAKE_SOURCE_DIR}/toolkit/style/skin_archive.cpp ${CMAKE_SOURCE_DIR}/toolkit/style/brieflz.cpp)
target_include_directories(sknz-pack PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(sknz-pack PRIVATE ${TAVREL_WARNINGS} -O2)

# Fuzz targets build with clang's libFuzzer when it is there (tools/fuzz.sh).
# The parsers of files anyone may write get a short run with every test run;
# without clang or libFuzzer the run is skipped. Long runs: README.
add_test(NAME fuzz.short
         COMMAND ${CMAKE_COMMAND} -E env TAVREL_FUZZ_DIR=${CMAKE_BINARY_DIR}/fuzz
                 ${CMAKE_SOURCE_DIR}/tools/fuzz.sh 15 skin_declaration_fuzz sknz_archive_fuzz
                 skin_placement_fuzz bmp_file_fuzz)
set_tests_properties(fuzz.short PROPERTIES TIMEOUT 280 LABELS native SKIP_RETURN_CODE 77)
# The files a user's own folder holds: the personal word list and images
# (icons, PNG and JPEG).
add_test(NAME fuzz.short_user_files
         COMMAND ${CMAKE_COMMAND} -E env TAVREL_FUZZ_DIR=${CMAKE_BINARY_DIR}/fuzz
                 ${CMAKE_SOURCE_DIR}/tools/fuzz.sh 15 personal_word_list_fuzz image_decode_fuzz ico_file_fuzz)
set_tests_properties(fuzz.short_user_files PROPERTIES TIMEOUT 280 LABELS native SKIP_RETURN_CODE 77)
