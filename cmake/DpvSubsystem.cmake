include(GoogleTest)

# Every library or test names its dependencies by target name. A subsystem may
# name one that is added later in src/CMakeLists.txt, so names are linked as
# given and checked once everything is added.
function(dpv_link owner scope)
  foreach(dep ${ARGN})
    target_link_libraries(${owner} ${scope} ${dep})
    set_property(GLOBAL APPEND PROPERTY DPV_NAMED_DEPENDENCIES "${owner}>${dep}")
  endforeach()
endfunction()

function(dpv_check_dependencies)
  get_property(named GLOBAL PROPERTY DPV_NAMED_DEPENDENCIES)
  set(missing "")
  foreach(entry ${named})
    string(REPLACE ">" ";" pair "${entry}")
    list(GET pair 0 owner)
    list(GET pair 1 dep)
    if(NOT TARGET ${dep})
      string(APPEND missing "\n  ${owner} depends on ${dep}, which is not a target")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "Unknown dependencies:${missing}")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL dpv_check_dependencies)

# dpv_subsystem(NAME LOGIC_DEPS ... UI_DEPS ...)
# Builds src/<NAME>/*.cpp into dpv_<NAME> (no windows) and src/<NAME>/ui/*.cpp
# into dpv_<NAME>_ui (windows and widgets).
function(dpv_subsystem name)
  cmake_parse_arguments(ARG "" "" "LOGIC_DEPS;UI_DEPS;EXCLUDE" ${ARGN})
  file(GLOB logic_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER logic_sources EXCLUDE REGEX "/main\\.cpp$")
  foreach(excluded ${ARG_EXCLUDE})
    list(FILTER logic_sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  if(logic_sources)
    add_library(dpv_${name} STATIC ${logic_sources})
    target_include_directories(dpv_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    dpv_link(dpv_${name} PUBLIC Qt6::Core ${ARG_LOGIC_DEPS})
    dpv_use_pch(dpv_${name} core)
  elseif(ARG_LOGIC_DEPS)
    message(FATAL_ERROR "${name}: LOGIC_DEPS given, but there are no sources for dpv_${name}")
  endif()
  file(GLOB ui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(ui_sources)
    add_library(dpv_${name}_ui STATIC ${ui_sources})
    target_include_directories(dpv_${name}_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
    dpv_link(dpv_${name}_ui PUBLIC Qt6::Widgets ${ARG_UI_DEPS})
    dpv_use_pch(dpv_${name}_ui ui)
    if(TARGET dpv_${name})
      target_link_libraries(dpv_${name}_ui PUBLIC dpv_${name})
    endif()
  elseif(ARG_UI_DEPS)
    message(FATAL_ERROR "${name}: UI_DEPS given, but there are no sources for dpv_${name}_ui")
  endif()
endfunction()

# dpv_test(NAME LIBS ...): tests/<NAME>/*.cpp into test_<NAME>; every test case
# is a ctest entry of its own, "<NAME>.<Suite>.<Case>", run headless.
function(dpv_test name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  dpv_link(test_${name} PRIVATE ${ARGN} Qt6::Widgets Qt6::Test GTest::gtest)
  dpv_use_pch(test_${name} test)
  # Listing the cases runs the binary, which makes its QApplication: it goes
  # offscreen by itself (tests/test_main.cpp).
  gtest_discover_tests(test_${name}
    TEST_PREFIX "${name}."
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    # One value per property: gtest_discover_tests splits list values.
    PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      ENVIRONMENT_MODIFICATION "DPV_TEST_DATA=set:${PROJECT_SOURCE_DIR}/tests/data"
      TIMEOUT 300)
endfunction()
