# How the project's targets are declared. Every target gets an include folder
# of its own that holds only its headers (links, at their path below the
# source tree), so code can include the headers of the targets it links and
# nothing else: a layer that reaches across does not compile.

# velkor_headers(<target> [PRIVATE] <glob>...): the headers matching the globs
# (relative to the current folder; a glob starting with "!" takes headers
# out) become <target>'s public headers. PRIVATE keeps them to the target's
# own sources and gives them to tests through an interface target
# <target>-headers: an implementation whose users must not see it.
function(velkor_headers target)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  set(scope PUBLIC)
  set(headers)
  foreach(pattern ${ARGN})
    if(pattern STREQUAL "PRIVATE")
      set(scope PRIVATE)
    elseif(pattern MATCHES "^!(.*)")
      file(GLOB excluded CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${CMAKE_MATCH_1})
      if(excluded)
        list(REMOVE_ITEM headers ${excluded})
      endif()
    else()
      file(GLOB matched CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
      list(APPEND headers ${matched})
    endif()
  endforeach()
  foreach(header ${headers})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${header})
    get_filename_component(folder ${root}/${relative} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${header} ${root}/${relative} SYMBOLIC COPY_ON_ERROR)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(scope STREQUAL "PRIVATE")
    target_include_directories(${target} PRIVATE ${root})
    add_library(${target}-headers INTERFACE)
    target_include_directories(${target}-headers INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# velkor_add_tests(<name> SOURCES <file>... LIBRARIES <target>... [NOT_TESTS <case>...]):
# one unit test executable, its cases discovered by CTest. NOT_TESTS names
# cases that are not tests (a child process the other cases start) and stay
# out of CTest's list.
function(velkor_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;NOT_TESTS" ${ARGN})
  if(NOT VELKOR_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest GTest::gmock_main)
  velkor_discover_tests(${name} ${ARG_NOT_TESTS})
endfunction()

# velkor_discover_tests(<target> [<case>...]): CTest learns the GoogleTest
# cases of <target>, but the cases named.
function(velkor_discover_tests target)
  set(filter)
  if(ARGN)
    list(JOIN ARGN ":" excluded)
    set(filter TEST_FILTER "-${excluded}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Listing the cases means running the test, which only its emulator can,
    # so it is left to the test run.
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST ${filter})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 ${filter})
  endif()
endfunction()

# velkor_add_test_support(<name> [SOURCES <file>...] HEADERS <glob>... LIBRARIES <target>...):
# a library that only tests link (doubles, fixtures, helpers), with its headers.
function(velkor_add_test_support name)
  cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;LIBRARIES" ${ARGN})
  if(NOT VELKOR_BUILD_TESTS)
    return()
  endif()
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ${ARG_LIBRARIES})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBRARIES})
  endif()
  velkor_headers(${name} ${ARG_HEADERS})
endfunction()
