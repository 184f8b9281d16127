# Host build: the portable code against its fakes and real POSIX files.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(vt_posix STATIC platform/posix/PosixFileStore.cpp)
target_link_libraries(vt_posix PUBLIC vt_portable)

file(GLOB VT_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(vt_native_tests ${VT_NATIVE_TESTS})
target_link_libraries(vt_native_tests PRIVATE vt_fakes vt_posix GTest::gtest_main GTest::gmock)
gtest_discover_tests(vt_native_tests DISCOVERY_TIMEOUT 60)

# The layering rules: includes point down the layers; only win32/ folders include Windows headers.
add_test(NAME layering_includes_point_down_and_windows_headers_stay_in_win32
         COMMAND ${CMAKE_SOURCE_DIR}/tools/check-layering.sh ${CMAKE_SOURCE_DIR})

find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(vt_bench bench/BenchMain.cpp bench/SettingsBench.cpp bench/StatusBench.cpp)
  target_link_libraries(vt_bench PRIVATE vt_posix vt_fakes benchmark::benchmark)
endif()

# Each folder of fuzz/ is one libFuzzer target, vt_fuzz_<folder>, with its corpus beside it;
# `vt_fuzz` builds them all.
if(VT_FUZZ)
  add_custom_target(vt_fuzz)
  file(GLOB VT_FUZZ_FOLDERS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*)
  foreach(folder ${VT_FUZZ_FOLDERS})
    if(IS_DIRECTORY ${folder})
      get_filename_component(name ${folder} NAME)
      file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
      add_executable(vt_fuzz_${name} ${sources})
      target_compile_options(vt_fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_options(vt_fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_libraries(vt_fuzz_${name} PRIVATE vt_posix)
      add_dependencies(vt_fuzz vt_fuzz_${name})
    endif()
  endforeach()
endif()
