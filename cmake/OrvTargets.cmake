# Compile settings and helper functions for the project's own targets.

# Settings every project target gets (not the dependencies): wide Win32 API, warnings as errors.
add_library(orv_build_flags INTERFACE)
target_compile_features(orv_build_flags INTERFACE cxx_std_17)
target_compile_definitions(orv_build_flags INTERFACE
  UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_options(orv_build_flags INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror -Wno-cast-function-type>)
# Static runtime: the programs import Windows system DLLs only.
target_link_options(orv_build_flags INTERFACE -static -municode)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  target_link_options(orv_build_flags INTERFACE -s)
endif()

# orv_add_program(<target> OUTPUT_NAME <name> [GUI] [CONSOLE] SOURCES ... [LIBS ...]
#                 [VERSION a,b,c,d] [DESCRIPTION text] [RC extra.rc ...] [DIST])
# DIST puts the program into the target's program folder (dist/<target>/).
function(orv_add_program target)
  cmake_parse_arguments(P "GUI;CONSOLE;DIST" "OUTPUT_NAME;VERSION;DESCRIPTION" "SOURCES;LIBS;RC" ${ARGN})
  add_executable(${target} ${P_SOURCES} ${P_RC})
  target_link_libraries(${target} PRIVATE orv_build_flags ${P_LIBS})
  if(P_GUI)
    target_link_options(${target} PRIVATE -mwindows)
  endif()
  if(P_OUTPUT_NAME)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${P_OUTPUT_NAME})
  else()
    set(P_OUTPUT_NAME ${target})
  endif()
  if(P_VERSION)
    orv_add_version_resource(${target} "${P_VERSION}" "${P_DESCRIPTION}" "${P_OUTPUT_NAME}")
  endif()
  if(P_DIST)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${ORV_DIST_DIR}")
  endif()
endfunction()

# A VERSIONINFO resource and the asInvoker application manifest.
function(orv_add_version_resource target version description name)
  string(REPLACE "," "." dotted "${version}")
  set(ORV_VERSION_COMMAS "${version}")
  set(ORV_VERSION_DOTTED "${dotted}")
  set(ORV_DESCRIPTION "${description}")
  set(ORV_ORIGINAL_NAME "${name}.exe")
  set(ORV_MANIFEST "${CMAKE_SOURCE_DIR}/cmake/app.manifest")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${CMAKE_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()

# orv_add_gtest(<target> SOURCES ... [LIBS ...] [NO_MAIN] [ENV VAR=value ...]
#               [LABELS ...] [TIMEOUT seconds])
# A GoogleTest program whose cases become ctest tests when an emulator (Wine) is set.
# Cases of all programs run one at a time (see scripts/test.sh), so tests may use the
# process-wide names of the programs (mutexes, window titles) freely.
include(GoogleTest)
function(orv_add_gtest target)
  cmake_parse_arguments(T "NO_MAIN" "TIMEOUT" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE orv_build_flags orv_testsupport orv::gmock ${T_LIBS})
  if(NOT T_NO_MAIN)
    target_link_libraries(${target} PRIVATE orv_gtest_main)
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENV}" LABELS "${T_LABELS}")
  endif()
endfunction()
