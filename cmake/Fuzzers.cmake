# libFuzzer needs clang; the fuzz targets are built in a sub-build of this same tree.
find_program(TVL_CLANGXX clang++)
find_program(TVL_CLANG clang)
if(NOT TVL_CLANGXX OR NOT TVL_CLANG)
  message(FATAL_ERROR "clang is needed for the fuzz targets (apt-get install clang), or configure with -DTVL_FUZZERS=OFF")
endif()
include(ExternalProject)
set(TVL_FUZZ_BIN ${CMAKE_BINARY_DIR}/fuzz-build)
ExternalProject_Add(fuzzers
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TVL_FUZZ_BIN}
  CMAKE_ARGS -G Ninja -DTVL_FUZZ_ONLY=ON -DTVL_TESTS=OFF -DTVL_FUZZERS=OFF
             -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DCMAKE_C_COMPILER=${TVL_CLANG} -DCMAKE_CXX_COMPILER=${TVL_CLANGXX}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

file(GLOB TVL_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(src ${TVL_FUZZ_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_test(NAME fuzz.${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/fuzz/run.sh ${TVL_FUZZ_BIN}/tests/fuzz/${name}
            ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endforeach()
