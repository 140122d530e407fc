# Windows build: platform layer <- toolkit <- application, tests run under Wine.
if(NOT TAVREL_DEPS)
  message(FATAL_ERROR "TAVREL_DEPS must name the folder deps/build-deps.sh filled")
endif()

if(NOT TAVREL_DATA)
  set(TAVREL_DATA ${CMAKE_SOURCE_DIR}/data)
endif()

# No mingw run-time DLLs beside our programs.
set(TAVREL_STATIC_LINK -static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_options(lumora_portable PUBLIC ${TAVREL_STATIC_LINK})

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
add_library(deps_png STATIC IMPORTED)
set_target_properties(deps_png PROPERTIES IMPORTED_LOCATION ${TAVREL_DEPS}/lib/libpng16.a
  INTERFACE_INCLUDE_DIRECTORIES ${TAVREL_DEPS}/include INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
add_library(deps_jpeg STATIC IMPORTED)
set_target_properties(deps_jpeg PROPERTIES IMPORTED_LOCATION ${TAVREL_DEPS}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${TAVREL_DEPS}/include)
# The editing component's published headers; the DLL itself is loaded at run time.
add_library(deps_scintilla INTERFACE)
target_include_directories(deps_scintilla SYSTEM INTERFACE ${TAVREL_DEPS}/include/scintilla)
# The editor still sends SCI_SETKEYSUNICODE, which the headers list among
# the deprecated messages.
target_compile_definitions(deps_scintilla INTERFACE INCLUDE_DEPRECATED_FEATURES)

# Libraries that only dialogs, printing and the shell need are delay-loaded:
# the system maps them at the first call instead of at every start. Under
# Wine, comdlg32 alone brings the shell's libraries with it, a sixth of the
# editor's start-up. The delay-import library is made at configure time from
# the toolchain's own import library.
function(tavrel_delay_import name dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${name}.a
                  OUTPUT_VARIABLE import_lib OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_NM} ${import_lib} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed OR NOT EXISTS ${import_lib})
    message(FATAL_ERROR "cannot read the import library of ${name} (${import_lib})")
  endif()
  string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@]+" exports "${symbols}")
  list(TRANSFORM exports REPLACE "^I __imp_" "")
  list(REMOVE_DUPLICATES exports)
  list(JOIN exports "\n" export_lines)
  set(dir ${CMAKE_BINARY_DIR}/delay)
  file(WRITE ${dir}/${name}.def "LIBRARY ${dll}\nEXPORTS\n${export_lines}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${name}.def --dllname ${dll}
                          --output-delaylib ${dir}/lib${name}_delay.a RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot make the delay-import library of ${name}")
  endif()
  add_library(${name}_delay STATIC IMPORTED)
  set_target_properties(${name}_delay PROPERTIES IMPORTED_LOCATION ${dir}/lib${name}_delay.a)
endfunction()
tavrel_delay_import(comdlg32 comdlg32.dll)
tavrel_delay_import(shell32 shell32.dll)
tavrel_delay_import(ole32 ole32.dll)
tavrel_delay_import(winspool winspool.drv)

# Platform layer: thin services over Win32.
file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
list(REMOVE_ITEM PLATFORM_SOURCES ${CMAKE_SOURCE_DIR}/platform/error_log.cpp)  # built with the portable code
add_library(tavrel_platform STATIC ${PLATFORM_SOURCES})
target_include_directories(tavrel_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tavrel_platform PRIVATE ${TAVREL_WARNINGS})
target_link_libraries(tavrel_platform PUBLIC
  user32 gdi32 comctl32 comdlg32_delay shell32_delay ole32_delay uuid winspool_delay msimg32)
# The portable error log writes through the platform's debugger output, and
# the platform's catch blocks write to that log: the two libraries name each
# other, so that the linker goes through both again. The image decoders
# (toolkit/image) use libpng and libjpeg.
target_link_libraries(lumora_portable PUBLIC deps_png deps_jpeg tavrel_platform)
target_link_libraries(tavrel_platform PUBLIC lumora_portable)

# Toolkit: the Win32 half of Lumora.
file(GLOB_RECURSE LUMORA_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/toolkit/*_win32.cpp)
add_library(lumora STATIC ${LUMORA_WIN32_SOURCES})
target_compile_options(lumora PRIVATE ${TAVREL_WARNINGS})
target_link_libraries(lumora PUBLIC lumora_portable tavrel_platform)

# Resources built into the programs: the application manifest (common
# controls 6) and version information from the project's version, plus what a
# program's own script adds. Resource scripts find their files in res/ and
# the generated res/ of the build.
enable_language(RC)
configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${CMAKE_BINARY_DIR}/res/version.h @ONLY)
set(TAVREL_RC_INCLUDES ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/res ${CMAKE_SOURCE_DIR})
function(tavrel_resources target script)
  target_sources(${target} PRIVATE ${script})
  target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${TAVREL_RC_INCLUDES}>)
  # The resource compiler's dependency scan misses the files its statements name.
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/program.manifest
               ${CMAKE_SOURCE_DIR}/res/manifest.rc ${CMAKE_SOURCE_DIR}/res/program.rc ${ARGN})
endfunction()

# Run-time files beside the programs: the DLLs we load at run time.
set(TAVREL_RUNTIME_DLLS ${TAVREL_DEPS}/bin/Scintilla64.dll ${TAVREL_DEPS}/bin/Hunspellx64.dll)
file(COPY ${TAVREL_RUNTIME_DLLS} DESTINATION ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_subdirectory(tools/demo)

# The skin archive tool, also for Windows users making skins.
add_executable(sknz-pack ${CMAKE_SOURCE_DIR}/tools/sknz/sknz_pack.cpp
               ${CMAKE_SOURCE_DIR}/toolkit/style/skin_archive.cpp ${CMAKE_SOURCE_DIR}/toolkit/style/brieflz.cpp)
target_include_directories(sknz-pack PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(sknz-pack PRIVATE ${TAVREL_WARNINGS})
target_link_options(sknz-pack PRIVATE ${TAVREL_STATIC_LINK})
tavrel_resources(sknz-pack ${CMAKE_SOURCE_DIR}/tools/sknz/sknz_pack.rc)
# Another program holding a file open without sharing, for the end-to-end tests.
add_executable(hold-file ${CMAKE_SOURCE_DIR}/tests/e2e/hold_file_win32.cpp)
target_compile_options(hold-file PRIVATE ${TAVREL_WARNINGS})
target_link_options(hold-file PRIVATE ${TAVREL_STATIC_LINK} -municode)
# Reads a program's icons, version and loaded common controls, for the
# package test.
add_executable(program-facts ${CMAKE_SOURCE_DIR}/tests/e2e/program_facts_win32.cpp)
target_compile_options(program-facts PRIVATE ${TAVREL_WARNINGS})
target_link_options(program-facts PRIVATE ${TAVREL_STATIC_LINK} -municode)
target_link_libraries(program-facts PRIVATE version)
if(EXISTS ${CMAKE_SOURCE_DIR}/app/CMakeLists.txt)
  add_subdirectory(app)
endif()

# Tests under Wine: one executable per file, run through tools/wine-run.sh,
# which bounds each run with a time-out. Tests start in the data folder so
# that relative paths resolve as they do for the editor.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
file(GLOB WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
foreach(src ${WINE_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(wine_${name} ${src})
  target_compile_options(wine_${name} PRIVATE ${TAVREL_WARNINGS})
  target_link_libraries(wine_${name} PRIVATE lumora deps_scintilla GTest::gtest_main)
  # The controls as the shipped programs get them.
  tavrel_resources(wine_${name} ${CMAKE_SOURCE_DIR}/res/manifest.rc)
  if(name MATCHES "^app_")
    target_link_libraries(wine_${name} PRIVATE tavrel_app)
  endif()
  add_test(NAME wine.${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh 120 $<TARGET_FILE:wine_${name}>)
  # One display serves the whole run: tests that read the screen or press
  # real keys must not have another test's windows over theirs.
  set_tests_properties(wine.${name} PROPERTIES TIMEOUT 150 LABELS wine RUN_SERIAL ON
    ENVIRONMENT "TAVREL_DATA=${TAVREL_DATA}")
endforeach()
# The printing test once more as a user without any printer sees it: the
# printing system it is pointed at is not there.
add_test(NAME wine.app_printing_test_no_printer
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh 120 $<TARGET_FILE:wine_app_printing_test>)
set_tests_properties(wine.app_printing_test_no_printer PROPERTIES TIMEOUT 150 LABELS wine RUN_SERIAL ON
  ENVIRONMENT "TAVREL_DATA=${TAVREL_DATA};CUPS_SERVER=/nonexistent/tavrel-no-printer.sock;TAVREL_PRINT_QUEUE=-")

# End-to-end tests: shell scripts that drive the real programs with xdotool.
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.sh)
foreach(script ${E2E_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${name} COMMAND ${script} ${CMAKE_BINARY_DIR}/bin ${TAVREL_DATA})
  set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 240 LABELS e2e RUN_SERIAL ON)
endforeach()
# Making a Wine prefix from nothing takes a minute or two on its own.
set_tests_properties(e2e.package_test PROPERTIES TIMEOUT 480)

# The release package: cmake --build build/cross --target package
include(cmake/package.cmake)
