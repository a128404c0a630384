# Linux: the core and its unit tests, with AddressSanitizer and UBSan.
enable_testing()
set(VTK_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(vtkcore PRIVATE ${VTK_SANITIZE})
target_link_options(vtkcore PUBLIC ${VTK_SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB VTK_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(core_tests ${VTK_NATIVE_TESTS})
target_compile_options(core_tests PRIVATE ${VTK_SANITIZE})
target_link_libraries(core_tests PRIVATE vtkcore GTest::gtest GTest::gtest_main)
vtk_warnings(core_tests)
gtest_discover_tests(core_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)
