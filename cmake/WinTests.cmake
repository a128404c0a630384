# GoogleTest built from Debian's sources with the mingw toolchain, and one
# test program per file of tests/win, each run under Wine through the
# cross-compiling emulator. Each links the library's objects and resources;
# its main attaches the .exe as the library module, so internals are
# reachable. The C hosts of cmake/Package.cmake load VTKSUP.dll by name.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(VTK_TEST_MAIN ${CMAKE_SOURCE_DIR}/tests/win/support/main.cpp)
file(GLOB VTK_WIN_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
list(REMOVE_ITEM VTK_WIN_SUPPORT ${VTK_TEST_MAIN})
add_library(vtktestsupport STATIC ${VTK_WIN_SUPPORT})
target_include_directories(vtktestsupport PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include
                           ${CMAKE_SOURCE_DIR}/tests/win)
target_compile_definitions(vtktestsupport PUBLIC ${VTK_WIN_DEFS})
target_link_libraries(vtktestsupport PUBLIC gtest gmock vtkcore ${VTK_WIN_LIBS})
vtk_warnings(vtktestsupport)

# The main of the library-linked programs (it needs the library's framework).
add_library(vtktestmain OBJECT ${VTK_TEST_MAIN})
target_link_libraries(vtktestmain PRIVATE vtktestsupport)
vtk_warnings(vtktestmain)

set(VTK_TEST_RC ${CMAKE_SOURCE_DIR}/tests/win/support/tests.rc)
set_source_files_properties(${VTK_TEST_RC} PROPERTIES OBJECT_DEPENDS "${VTK_RC_PARTS};${VTK_RC}")

# A program of the Windows-runtime tier, with the test support and the C++
# runtime linked statically; vtk_win_test registers it with ctest.
function(vtk_win_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vtktestsupport)
  target_link_options(${name} PRIVATE ${VTK_STATIC_LINK})
  vtk_warnings(${name})
endfunction()

function(vtk_win_test name)
  add_dependencies(${name} VTKSUP vtkhost)
  add_test(NAME win.${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(win.${name} PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
endfunction()

# Programs that link the library's objects and resources, so that the tests
# reach its internals.
file(GLOB VTK_WIN_TESTS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/test_*.cpp)
foreach(src ${VTK_WIN_TESTS_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  vtk_win_program(${name} ${src} $<TARGET_OBJECTS:vtktestmain> ${VTK_TEST_RC})
  target_link_libraries(${name} PRIVATE vtkimpl)
  vtk_win_test(${name})
endforeach()

# Pictures of the dialogs on sample data (scripts/screenshots.sh).
file(GLOB VTK_SCREENS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/screens/*.cpp)
vtk_win_program(screens ${VTK_SCREENS_SOURCES} ${VTK_TEST_RC})
target_link_libraries(screens PRIVATE vtkimpl)
