# Windows (mingw-w64): the product DLL, the sample host and, for x86_64,
# the test programs that run under Wine.
enable_testing()
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR})
# Which Wine loader runs the build's programs (scripts/wine-env.sh).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  file(WRITE ${CMAKE_BINARY_DIR}/pe-bits 32)
else()
  file(WRITE ${CMAKE_BINARY_DIR}/pe-bits 64)
endif()

# The host's process runs with the ANSI code page 932: every text is CP932
# bytes and every Win32 call is the ANSI one.
set(VTK_WIN_DEFS STRICT NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _CRT_SECURE_NO_WARNINGS)
set(VTK_WIN_LIBS user32 gdi32 shell32 advapi32 comdlg32 mpr vfw32 winmm)
# The C++ runtime is linked statically: the DLL imports system DLLs only.
set(VTK_STATIC_LINK -static -static-libgcc -static-libstdc++)
target_compile_definitions(vtkcore PUBLIC ${VTK_WIN_DEFS})

# One static library per folder above the core, each linked against the
# folders below it (cmake/Layers.cmake), so that the DLL's link goes down
# the layers in order. The DLL entry point is the DLL's own.
foreach(layer ${VTK_LAYERS})
  if(layer STREQUAL "core")
    continue()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp)
  list(REMOVE_ITEM srcs ${CMAKE_SOURCE_DIR}/frame/dllmain.cpp)
  string(REPLACE "/" "_" lib vtk${layer})  # download/card -> vtkdownload_card
  add_library(${lib} STATIC ${srcs})
  target_include_directories(${lib} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
  target_compile_definitions(${lib} PUBLIC ${VTK_WIN_DEFS})
  vtk_warnings(${lib})
  set(below ${VTK_USES_${layer}})
  list(REMOVE_ITEM below res)
  list(TRANSFORM below PREPEND vtk)
  list(TRANSFORM below REPLACE "/" "_")
  target_link_libraries(${lib} PUBLIC ${below})
endforeach()
target_link_libraries(vtkframework PUBLIC ${VTK_WIN_LIBS})

# What the test programs, benchmarks and tools link to reach the library's
# internals: the folders that hold exports, each bringing the folders below
# it. Nothing refers to the application object, which registers itself when
# it is built, so the linker is told to take it.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VTK_APP_SYMBOL _theApp)
else()
  set(VTK_APP_SYMBOL theApp)
endif()
add_library(vtkimpl INTERFACE)
target_link_libraries(vtkimpl INTERFACE vtkdownload_card vtkdownload_recorder vtkfunckeys vtkwave)
target_link_options(vtkimpl INTERFACE LINKER:--undefined=${VTK_APP_SYMBOL})

# Resources: UTF-8 sources; windres turns them into UTF-16 resources.
file(GLOB VTK_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
     ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/*/*_ids.h)
set(VTK_RC ${CMAKE_SOURCE_DIR}/res/vtksup.rc)
set_source_files_properties(${VTK_RC} PROPERTIES OBJECT_DEPENDS "${VTK_RC_PARTS}")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/tests/win")

add_library(VTKSUP SHARED ${CMAKE_SOURCE_DIR}/frame/dllmain.cpp ${VTK_RC} ${CMAKE_SOURCE_DIR}/frame/vtksup.def)
set_target_properties(VTKSUP PROPERTIES PREFIX "" OUTPUT_NAME VTKSUP)
target_include_directories(VTKSUP PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
target_compile_definitions(VTKSUP PRIVATE ${VTK_WIN_DEFS})
# The folders that hold exports bring the folders below them. Those five are
# taken whole: the 32-bit linker matches the .def's plain names to the
# decorated symbols only once they are linked in.
target_link_libraries(VTKSUP PRIVATE vtkdownload_card vtkdownload_recorder vtkfunckeys vtkwave ${VTK_WIN_LIBS})
set_target_properties(VTKSUP PROPERTIES
  LINK_LIBRARY_OVERRIDE "WHOLE_ARCHIVE,vtkdownload_card,vtkdownload_recorder,vtkcarddrive,vtkfunckeys,vtkwave")
target_link_options(VTKSUP PRIVATE ${VTK_STATIC_LINK} -Wl,--enable-stdcall-fixup)
vtk_warnings(VTKSUP)

# The sample host: loads the DLL by name, as the real host does.
file(GLOB VTK_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
add_executable(vtkhost ${VTK_HOST_SOURCES} ${CMAKE_SOURCE_DIR}/host/vtkhost.rc)
target_include_directories(vtkhost PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
target_compile_definitions(vtkhost PRIVATE ${VTK_WIN_DEFS})
target_link_libraries(vtkhost PRIVATE vtkcore ${VTK_WIN_LIBS})
target_link_options(vtkhost PRIVATE ${VTK_STATIC_LINK})
add_dependencies(vtkhost VTKSUP)
vtk_warnings(vtkhost)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VTK_PE_FORMAT pei-i386)
else()
  set(VTK_PE_FORMAT pei-x86-64)
endif()
add_test(NAME artefact.VTKSUP.exports
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-dll.sh $<TARGET_FILE:VTKSUP> ${VTK_PE_FORMAT}
                 ${CMAKE_SOURCE_DIR}/frame/vtksup.def)

if(VTK_WIN_TESTS)
  include(cmake/WinTests.cmake)
endif()

include(cmake/Package.cmake)
