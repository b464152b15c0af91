# Test libraries for the target when cross-compiling. GoogleTest is built from the sources that
# Debian's googletest package ships; its own build names the targets as find_package(GTest)
# does (GTest::gtest, GTest::gmock_main, ...).
set(CORVEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${CORVEL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# nlohmann/json is headers only, but the host's package would put all of /usr/include before the
# target's own C library headers: its folder alone is copied and used.
file(COPY /usr/include/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/host-headers)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE
                           ${CMAKE_BINARY_DIR}/host-headers)

# CTest runs the tests through wine-run.sh (the toolchain's emulator) in one wine prefix per
# build folder; these two tests make it before the first test and delete it after the last.
function(corvel_wine_prefix_fixture target)
  add_test(NAME wine.prefix.make COMMAND ${target} --gtest_list_tests)
  add_test(NAME wine.prefix.remove
           COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh --remove $<TARGET_FILE:${target}>)
  set_tests_properties(wine.prefix.make PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(wine.prefix.remove PROPERTIES FIXTURES_CLEANUP wine)
endfunction()
