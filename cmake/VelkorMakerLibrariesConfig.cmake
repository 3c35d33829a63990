# The acquisition and module libraries as a package: imported targets
# velkor::acquisition and velkor::module, their headers below include/ (the
# program includes "platform/acquisition/...", "platform/module/..."). This
# one describes the emulated libraries, installed stand-alone; a package of
# the maker's own libraries offers the same two targets.
include(CMakeFindDependencyMacro)
find_dependency(Boost 1.74 COMPONENTS filesystem system)
find_dependency(Threads)

get_filename_component(_velkor_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
set(_velkor_lib "${_velkor_prefix}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}")

if(NOT TARGET velkor::acquisition)
  # The closest-name hint the bench's messages give for a mistyped detector.
  add_library(velkor::bench-words STATIC IMPORTED)
  set_target_properties(velkor::bench-words PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-cli${CMAKE_STATIC_LIBRARY_SUFFIX}")

  # The emulated device behind both libraries.
  add_library(velkor::bench-store STATIC IMPORTED)
  set_target_properties(velkor::bench-store PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-bench-store${CMAKE_STATIC_LIBRARY_SUFFIX}"
    INTERFACE_LINK_LIBRARIES "velkor::bench-words;Boost::filesystem;Boost::system;Threads::Threads")

  add_library(velkor::acquisition STATIC IMPORTED)
  set_target_properties(velkor::acquisition PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-acquisition${CMAKE_STATIC_LIBRARY_SUFFIX}"
    INTERFACE_INCLUDE_DIRECTORIES "${_velkor_prefix}/include"
    INTERFACE_LINK_LIBRARIES "velkor::bench-store;Boost::boost")

  add_library(velkor::module STATIC IMPORTED)
  set_target_properties(velkor::module PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-module${CMAKE_STATIC_LIBRARY_SUFFIX}"
    INTERFACE_INCLUDE_DIRECTORIES "${_velkor_prefix}/include"
    INTERFACE_LINK_LIBRARIES "velkor::acquisition;velkor::bench-store")
endif()
set(VelkorMakerLibraries_FOUND TRUE)
