# The acquisition and module libraries as a package: imported targets
# velkor::acquisition and velkor::module, their headers below include/ (the
# program includes "platform/acquisition/...", "platform/module/..."). This
# one describes the emulated libraries, installed stand-alone; a package of
# the maker's own libraries offers the same two targets.
include(CMakeFindDependencyMacro)
find_dependency(Boost 1.74 COMPONENTS filesystem system)

get_filename_component(_velkor_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
set(_velkor_lib "${_velkor_prefix}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}")

if(NOT TARGET velkor::acquisition)
  # The closest-name hint the store's messages give for a mistyped detector.
  add_library(velkor::bench-words STATIC IMPORTED)
  set_target_properties(velkor::bench-words PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-cli${CMAKE_STATIC_LIBRARY_SUFFIX}")

  # The emulated devices behind both libraries, each layer on the one before.
  set(_velkor_below "velkor::bench-words;Boost::filesystem;Boost::system")
  foreach(_velkor_layer text device store library)
    add_library(velkor::bench-${_velkor_layer} STATIC IMPORTED)
    set_target_properties(velkor::bench-${_velkor_layer} PROPERTIES
      IMPORTED_LOCATION
        "${_velkor_lib}velkor-bench-${_velkor_layer}${CMAKE_STATIC_LIBRARY_SUFFIX}"
      INTERFACE_LINK_LIBRARIES "${_velkor_below}")
    set(_velkor_below velkor::bench-${_velkor_layer})
  endforeach()

  add_library(velkor::acquisition STATIC IMPORTED)
  set_target_properties(velkor::acquisition PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-acquisition${CMAKE_STATIC_LIBRARY_SUFFIX}"
    INTERFACE_INCLUDE_DIRECTORIES "${_velkor_prefix}/include"
    INTERFACE_LINK_LIBRARIES "velkor::bench-library;Boost::boost")

  add_library(velkor::module STATIC IMPORTED)
  set_target_properties(velkor::module PROPERTIES
    IMPORTED_LOCATION "${_velkor_lib}velkor-module${CMAKE_STATIC_LIBRARY_SUFFIX}"
    INTERFACE_INCLUDE_DIRECTORIES "${_velkor_prefix}/include"
    INTERFACE_LINK_LIBRARIES "velkor::acquisition;velkor::bench-library")
endif()
set(VelkorMakerLibraries_FOUND TRUE)
