# What a user gets: on Windows a zip of the three programs; elsewhere two
# Debian packages, the program (with velkor-site, which needs it) and the
# bench tool, each with its manual pages, bash completion and changelog
# (scripts/package.sh builds them into build/packages).

set(CPACK_PACKAGE_NAME velkor-ipconfig-cmd)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "velkor-ipconfig-cmd developers")
set(CPACK_PACKAGE_CONTACT "velkor-ipconfig-cmd developers <velkor-ipconfig-cmd@localhost>")
# No package-wide summary: CPack would put it before each package's own.
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(FILES packaging/README-windows.txt DESTINATION . RENAME README.txt COMPONENT program)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME velkor-ipconfig-cmd-${PROJECT_VERSION}-win64)
  include(CPack)
  return()
endif()

install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT program)
install(FILES doc/examples/ward-plan.csv DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
  COMPONENT program)

# The changelog, kept in NEWS in Debian's changelog format, goes compressed
# into each package's documentation folder, where Debian looks for it.
set(changelog ${PROJECT_BINARY_DIR}/changelog/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/changelog
  COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/NEWS ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/NEWS VERBATIM)
add_custom_target(velkor-changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT program)
if(TARGET velkor-bench)
  install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkor-bench
    COMPONENT bench)
endif()

# Manual pages, compressed as Debian ships them, and bash completions; each
# goes with its program's component.
foreach(program velkor-ipconfig-cmd velkor-site velkor-bench)
  if(NOT TARGET ${program})
    continue() # the bench is not built against the maker's libraries
  endif()
  if(program STREQUAL "velkor-bench")
    set(component bench)
  else()
    set(component program)
  endif()
  set(page ${VELKOR_MAN_PAGES})
  list(FILTER page INCLUDE REGEX "/${program}\\.1$")
  set(compressed ${PROJECT_BINARY_DIR}/man-gz/${program}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man-gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${page} ${compressed}
    DEPENDS ${page} VERBATIM)
  add_custom_target(${program}-man ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})

  # bash-completion loads a command's completion from a file of its name.
  install(FILES ${VELKOR_BASH_COMPLETION}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program}
    COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# The maker-libraries component is a build prefix for developers, never a package.
set(CPACK_COMPONENTS_ALL program bench)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies come from the libraries the binaries link (dpkg-shlibdeps).
# Descriptions: a summary line, then plain paragraphs; CPack indents them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Both come from this one source tree, whose changelog both carry.
set(CPACK_DEBIAN_PACKAGE_SOURCE velkor-ipconfig-cmd)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME velkor-ipconfig-cmd)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
# This build talks to the emulated bench, which velkor-bench sets up.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS velkor-bench)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION
  "changes the network settings of a flat-panel X-ray detector
velkor-ipconfig-cmd gives one flat-panel X-ray detector per run a new
address together with the address of its host, a new Wi-Fi SSID and
password, or switches its Wi-Fi on or off. Seven models in five families
are known; a detector is reached over the network or through an infrared
module on a serial port. Every address is checked against syntax, subnet
and per-family rules before anything is written.

velkor-site shows a detector's settings without changing them, checks a
whole site's address plan with the program's own rules, and rolls it out
with the program, detector by detector, keeping a report.

This build talks to the emulated detectors of velkor-bench.")

set(CPACK_DEBIAN_BENCH_PACKAGE_NAME velkor-bench)
set(CPACK_DEBIAN_BENCH_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_BENCH_DESCRIPTION
  "emulated detector bench for velkor-ipconfig-cmd
velkor-bench sets up and inspects a folder of emulated flat-panel X-ray
detectors and infrared modules, which velkor-ipconfig-cmd talks to in
place of real devices: addresses, stored files, faults, links and modules,
so that every run can be rehearsed and checked on any machine.")

include(CPack)
