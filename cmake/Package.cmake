# What a host's developer receives: version resources, the import libraries
# for mingw and for the Microsoft linker, and one ZIP package:
#   cmake --build --preset win32 --target package
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VTK_ARCH i386)
  set(VTK_PACKAGE_SYSTEM win32)
  set(VTK_MSVC_TARGET i686-pc-windows-msvc)
else()
  set(VTK_ARCH x86_64)
  set(VTK_PACKAGE_SYSTEM win64)
  set(VTK_MSVC_TARGET x86_64-pc-windows-msvc)
endif()
find_program(VTK_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
set(VTK_DEF ${CMAKE_SOURCE_DIR}/frame/vtksup.def)
set(VTK_MS_IMPLIB ${CMAKE_BINARY_DIR}/bin/VTKSUP.lib)

# The version resource: the project's version, filled into one template for
# the library and one for the sample host.
function(vtk_version_resource target is_host)
  set(VTK_VERSION_IS_HOST ${is_host})
  configure_file(${CMAKE_SOURCE_DIR}/res/version.rc.in ${CMAKE_BINARY_DIR}/version_${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/version_${target}.rc)
endfunction()
vtk_version_resource(VTKSUP 0)
vtk_version_resource(vtkhost 1)

# The linker's own import library names the exports undecorated, which a
# 32-bit __stdcall caller does not refer to: both libraries are made from the
# module-definition file instead, the GNU one in the linker's one's place.
add_custom_command(TARGET VTKSUP POST_BUILD
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-implibs.sh ${VTK_ARCH} ${VTK_DEF} $<TARGET_LINKER_FILE:VTKSUP>
          ${VTK_MS_IMPLIB} $<TARGET_FILE:vtkdownload_card> $<TARGET_FILE:vtkdownload_recorder> $<TARGET_FILE:vtkcarddrive> $<TARGET_FILE:vtkfunckeys>
          $<TARGET_FILE:vtkwave>
  BYPRODUCTS ${VTK_MS_IMPLIB}
  VERBATIM COMMAND_EXPAND_LISTS)

install(TARGETS VTKSUP vtkhost RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
install(FILES ${VTK_MS_IMPLIB} ${VTK_DEF} DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/include/vtksup.h DESTINATION include)
install(FILES ${CMAKE_SOURCE_DIR}/docs/exports.md ${CMAKE_SOURCE_DIR}/docs/chooser.png DESTINATION docs)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/screens DESTINATION docs)
configure_file(${CMAKE_SOURCE_DIR}/packaging/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME VTKSUP)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(VTK_PACKAGE VTKSUP-${PROJECT_VERSION}-${VTK_PACKAGE_SYSTEM})
set(CPACK_PACKAGE_FILE_NAME ${VTK_PACKAGE})
include(CPack)

# The product is the 32-bit build: only its tree makes and checks the package.
if(VTK_PACKAGE_SYSTEM STREQUAL win32)
  add_test(NAME artefact.package
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR} ${VTK_PACKAGE}.zip)
  set_tests_properties(artefact.package PROPERTIES RUN_SERIAL ON)
endif()

# A host written in C against the public header alone, built three ways: by
# name (LoadLibrary and GetProcAddress; it also reads the version resource
# back); through the mingw import library, with no stdcall fix-up to hide a
# wrong symbol; and with clang and lld-link for the Microsoft ABI through
# VTKSUP.lib. Each binds the undecorated export names, which every tree
# checks in their import tables; the Windows-runtime tier also runs them from
# the folder of the DLL.
set(VTK_C_HOST ${CMAKE_SOURCE_DIR}/tests/win/c_host.c)
set(VTK_C_HOST_EXES)
foreach(kind byname implib)
  add_executable(c_host_${kind} ${VTK_C_HOST})
  set_target_properties(c_host_${kind} PROPERTIES C_STANDARD 11 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
  target_include_directories(c_host_${kind} PRIVATE ${CMAKE_SOURCE_DIR}/include)
  target_compile_options(c_host_${kind} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  target_link_options(c_host_${kind} PRIVATE -static)
  add_dependencies(c_host_${kind} VTKSUP)
endforeach()
target_compile_definitions(c_host_byname PRIVATE VTK_VERSION="${PROJECT_VERSION}")
target_link_libraries(c_host_byname PRIVATE version)
target_compile_definitions(c_host_implib PRIVATE VTK_IMPORT_LIBRARY)
target_link_libraries(c_host_implib PRIVATE VTKSUP)
target_link_options(c_host_implib PRIVATE -Wl,--disable-stdcall-fixup)
set(VTK_C_HOST_RUNS c_host_byname c_host_implib)
set(VTK_IMPORTING_HOSTS $<TARGET_FILE:c_host_implib>)

find_program(VTK_CLANG NAMES clang clang-14)
find_program(VTK_LLD_LINK NAMES lld-link lld-link-14)
if(VTK_CLANG AND VTK_LLD_LINK)
  set(obj ${CMAKE_BINARY_DIR}/c_host_mslink.obj)
  set(exe ${CMAKE_BINARY_DIR}/bin/c_host_mslink.exe)
  add_custom_command(OUTPUT ${exe}
    COMMAND ${VTK_CLANG} --target=${VTK_MSVC_TARGET} -std=c11 -ffreestanding -fno-stack-protector
            -Wall -Wextra -Wpedantic -Werror -DVTK_IMPORT_LIBRARY -DVTK_NO_CRT
            -I${CMAKE_SOURCE_DIR}/include -c ${VTK_C_HOST} -o ${obj}
    COMMAND ${VTK_LLD_LINK} /nologo /nodefaultlib /subsystem:console /entry:VtkEntry /out:${exe} ${obj}
            ${VTK_MS_IMPLIB}
    DEPENDS ${VTK_C_HOST} ${CMAKE_SOURCE_DIR}/include/vtksup.h VTKSUP
    VERBATIM)
  add_custom_target(c_host_mslink ALL DEPENDS ${exe})
  list(APPEND VTK_C_HOST_RUNS ${exe})
  list(APPEND VTK_IMPORTING_HOSTS ${exe})
else()
  message(WARNING "clang or lld-link not found: VTKSUP.lib is made but not linked by a test host")
endif()

add_test(NAME artefact.c_host.imports
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-host-imports.sh ${VTK_PE_FORMAT} ${VTK_DEF} ${VTK_IMPORTING_HOSTS})
if(VTK_WIN_TESTS)
  foreach(host ${VTK_C_HOST_RUNS})
    get_filename_component(name ${host} NAME_WE)
    if(TARGET ${host})
      set(host $<TARGET_FILE:${host}>)
    endif()
    add_test(NAME win.${name} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${host}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(win.${name} PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
  endforeach()
endif()
