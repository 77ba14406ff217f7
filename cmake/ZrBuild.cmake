# Compiler settings and helpers shared by every area.

add_compile_options(-Wall -Wextra)

if(ZR_WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_compile_options(-Wno-cast-function-type)
  # Windows test programs run under Wine, with the prefix kept in this tree.
  set(ZR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_SOURCE_DIR}/tools/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                 GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
else()
  if(ZR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND ZR_FUZZ)
    set(ZR_CAN_FUZZ ON)
    # Coverage guards in every library, so that fuzz targets see inside them.
    add_compile_options(-fsanitize=fuzzer-no-link)
  else()
    set(ZR_CAN_FUZZ OFF)
  endif()
endif()

# zr_add_gtest(NAME [FOCUS] SOURCES ... LIBS ...)
# One test program per area; ctest runs it (under Wine in the Windows tree).
# FOCUS: the program needs its windows to stay active, so it runs while no
# other test program does (they share one desktop).
function(zr_add_gtest name)
  cmake_parse_arguments(ARG "FOCUS" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(ZR_WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "unit;${ARG_LABELS}")
  if(ARG_FOCUS)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# zr_add_app_ui_gtest(NAME [FOCUS] SOURCES ... LIBS ... [TIMEOUT s])
# A Wine test program of the main window's controls, as zr_add_gtest makes
# it, built on the shared support of tests/app_ui_support (which also loads
# the product's resource library). Skipped where that support or one of LIBS
# is not built.
function(zr_add_app_ui_gtest name)
  cmake_parse_arguments(ARG "FOCUS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  foreach(lib IN LISTS ARG_LIBS ITEMS zr_app_ui_test_support)
    if(NOT TARGET ${lib})
      return()
    endif()
  endforeach()
  set(focus "")
  if(ARG_FOCUS)
    set(focus FOCUS)
  endif()
  zr_add_gtest(${name} ${focus} SOURCES ${ARG_SOURCES}
               LIBS ${ARG_LIBS} zr_app_ui_test_support TIMEOUT ${ARG_TIMEOUT})
endfunction()

# zr_add_fuzz(NAME SOURCES ... LIBS ... [SECONDS n])
# A libFuzzer target, run for a bounded time by ctest (native clang tree only).
# Seed inputs are read from a folder "<name>-seeds" beside its first source.
function(zr_add_fuzz name)
  cmake_parse_arguments(ARG "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT ZR_CAN_FUZZ)
    return()
  endif()
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 15)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  # Seed inputs, when kept in a folder "<name>-seeds" beside the target's source.
  list(GET ARG_SOURCES 0 first_source)
  get_filename_component(source_dir ${first_source} DIRECTORY)
  if(NOT IS_ABSOLUTE "${source_dir}")
    set(source_dir ${CMAKE_CURRENT_SOURCE_DIR}/${source_dir})
  endif()
  set(seeds "")
  if(IS_DIRECTORY ${source_dir}/${name}-seeds)
    set(seeds ${source_dir}/${name}-seeds)
  endif()
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048
                   -print_final_stats=0 ${corpus} ${seeds})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()

# zr_add_benchmark(NAME SOURCES ... LIBS ...): built only with ZR_BENCH.
function(zr_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(ZR_WIN32 OR NOT ZR_BENCH)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
