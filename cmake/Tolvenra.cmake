# Build settings shared by every target of the program, its tests and its benchmarks.

option(TOLVENRA_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

# The compiler settings of one of our own targets.
function(tolvenra_settings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(TOLVENRA_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A layer of the program: a static library of the sources given, linking only the layers named
# after DEPENDS (and what they link). Every layer also gets an executable, layercheck_<name>,
# that links all of the layer's objects with nothing but those layers: a call into a layer it
# may not use (an include in the wrong direction) fails that link.
#   tolvenra_layer(name SOURCES ... [DEPENDS layer ...] [LIBRARIES lib ...])
function(tolvenra_layer name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPENDS;LIBRARIES" ${ARGN})
  set(target tolvenra_${name})
  qt_add_library(${target} STATIC ${L_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set(deps)
  foreach(d ${L_DEPENDS})
    list(APPEND deps tolvenra_${d})
  endforeach()
  target_link_libraries(${target} PUBLIC ${deps} ${L_LIBRARIES})
  tolvenra_settings(${target})
  if(NOT TOLVENRA_FUZZ)
    add_executable(layercheck_${name} ${PROJECT_SOURCE_DIR}/cmake/layercheck.cpp)
    target_link_libraries(layercheck_${name} PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>)
  endif()
endfunction()

# A test executable: its cases are discovered one by one, each labelled (unit: no window of
# the frame; frame: the whole frame; webengine: the preview's browser engine) and bounded in
# time.
#   tolvenra_test(name LABEL label [TIMEOUT seconds] SOURCES ... [LIBRARIES ...])
function(tolvenra_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tolvenra_testsupport ${T_LIBRARIES})
  tolvenra_settings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      LABELS "${T_LABEL}"
      TIMEOUT ${T_TIMEOUT})
endfunction()
