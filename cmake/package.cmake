# The release package, Tavrel-VERSION-win64.zip: the editor, the two DLLs it
# loads (everything else, the compiler's run time included, is linked in),
# the run-time folders it reads relative to its working folder, a README for
# users and the licence texts of every component shipped. Nothing else.
if(NOT TAVREL_LICENSES OR NOT EXISTS ${TAVREL_LICENSES}/.complete)
  message(FATAL_ERROR "TAVREL_LICENSES must name the folder deps/collect-licenses.sh filled")
endif()

install(TARGETS Tavrel RUNTIME DESTINATION .)
install(FILES ${TAVREL_RUNTIME_DLLS} DESTINATION .)
install(FILES ${TAVREL_DATA}/Dictionaries/en_GB.aff ${TAVREL_DATA}/Dictionaries/en_GB.dic DESTINATION Dictionaries)
install(DIRECTORY "${TAVREL_DATA}/icons/Office Icons" DESTINATION icons FILES_MATCHING PATTERN "*.ico")
# Windows line ends: the README is read in whatever text editor is at hand.
configure_file(${CMAKE_SOURCE_DIR}/res/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
install(DIRECTORY ${TAVREL_LICENSES}/ DESTINATION licenses PATTERN .complete EXCLUDE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavrel)
set(CPACK_PACKAGE_VENDOR Tavrel)
set(CPACK_PACKAGE_FILE_NAME Tavrel-${PROJECT_VERSION}-win64)
# Unpacking gives one folder named like the archive, the program at its top.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Symbols help nobody who runs the package.
set(CPACK_STRIP_FILES ON)
include(CPack)
