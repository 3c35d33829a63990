# Renders the three manual pages and checks them against the sources:
#
#   cmake -DPAGES_DIR=<folder of the configured .1 pages> -DSOURCE_DIR=<source tree>
#         -P doc/man/man_pages_test.cmake
#
# Fails on any groff warning, on a line wider than 80 columns or a character
# that is not plain ASCII once rendered, on a missing section or one out of
# order, and when a page does not name what the sources hold:
# - velkor-ipconfig-cmd.1: every option of app/command_line.cpp with its short
#   letter and help text; in DIAGNOSTICS every text fragment of every message
#   that begins with "Error - " in app/ and addressing/ (tests left out), the
#   rule checker's "--> " detail lines, every request and parameter name, every
#   address of the family address sets, and every "has not been changed" line;
#   every environment variable the program and the bench libraries read.
# - velkor-bench.1: every command of the command table and its options, every
#   fault, every detector and module of the factory bench, every environment
#   variable the bench reads.
# - velkor-site.1: every command of its command table and its options (its
#   own, and the program's it takes), every column of a plan, in DIAGNOSTICS
#   every text fragment of every message of site/ that begins with "Error - ".
# Texts are compared with runs of blanks and line ends collapsed to one blank.

cmake_minimum_required(VERSION 3.25)

foreach(variable IN ITEMS PAGES_DIR SOURCE_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set: cmake -DPAGES_DIR=... -DSOURCE_DIR=... -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
endforeach()

find_program(GROFF groff)
find_program(MAN man)
if(NOT GROFF)
  message(FATAL_ERROR "groff is needed to render the manual pages (Debian package groff-base)")
endif()
if(NOT MAN)
  message(FATAL_ERROR "man is needed to render the manual pages (Debian package man-db)")
endif()

set_property(GLOBAL PROPERTY man_pages_failures 0)

# Reports one failure; the test goes on so that every failure is listed.
function(fail text)
  message(SEND_ERROR "${text}")
  get_property(count GLOBAL PROPERTY man_pages_failures)
  math(EXPR count "${count} + 1")
  set_property(GLOBAL PROPERTY man_pages_failures ${count})
endfunction()

# A list of texts can hold any text: ";" is kept aside while it is a list item.
set(semicolon_mark "<semicolon>")
function(encode_item text out)
  string(REPLACE ";" "${semicolon_mark}" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
function(decode_item text out)
  string(REPLACE "${semicolon_mark}" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Runs of blanks and line ends become one blank; none at either end.
function(collapse text out)
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  string(STRIP "${text}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A text matched as itself inside a regular expression.
function(regex_quote text out)
  string(REGEX REPLACE "([][.*+?^$()|\\\\])" "\\\\\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# ---------------------------------------------------------------- sources

# A source file without its comments, with character literals made harmless
# (a '"' would open a string literal).
function(read_source file out)
  file(READ "${file}" text)
  string(PREPEND text "\n")
  string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" " " text "${text}")
  string(REGEX REPLACE "\n[ \t]*//[^\n]*" "\n" text "${text}")
  string(REGEX REPLACE "([;{}(),])[ \t]*//[^\n]*" "\\1" text "${text}")
  string(REGEX REPLACE "'([^'\\\\\n]|\\\\.)'" "'c'" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(literal_regex "\"([^\"\\\\\n]|\\\\.)*\"")

# The text of a C++ string literal as the program prints it.
function(literal_text literal out)
  string(REGEX REPLACE "^\"(.*)\"$" "\\1" text "${literal}")
  string(REPLACE "\\t" " " text "${text}")
  string(REPLACE "\\n" " " text "${text}")
  string(REPLACE "\\\"" "\"" text "${text}")
  string(REPLACE "\\\\" "\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Every string literal of `text` (adjacent literals joined into one), as
# printed texts, each collapsed; an encoded list.
function(literals_of text out)
  string(REGEX REPLACE "\"[ \t\r\n]*\"" "" text "${text}")
  set(found)
  while(TRUE)
    string(REGEX MATCH "${literal_regex}" literal "${text}")
    if(literal STREQUAL "")
      break()
    endif()
    string(FIND "${text}" "${literal}" at)
    string(LENGTH "${literal}" length)
    math(EXPR after "${at} + ${length}")
    string(SUBSTRING "${text}" ${after} -1 text)
    literal_text("${literal}" printed)
    collapse("${printed}" printed)
    encode_item("${printed}" printed)
    list(APPEND found "${printed}")
  endwhile()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Every statement of `text` in which a string literal begins with `start`
# (`start` holds the opening quote): the printed text of each of its literals,
# so that a message built from pieces is checked piece by piece; an encoded list.
function(message_fragments text start out)
  set(found)
  while(TRUE)
    string(FIND "${text}" "${start}" at)
    if(at EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${text}" ${at} -1 text)
    # Up to the first ";" outside a string literal.
    string(REGEX MATCH "^(${literal_regex}|[^\";])*" statement "${text}")
    string(LENGTH "${statement}" length)
    if(length EQUAL 0)
      set(length 1)
    endif()
    string(SUBSTRING "${text}" ${length} -1 text)
    literals_of("${statement}" pieces)
    list(APPEND found ${pieces})
  endwhile()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The non-test C++ files below the given folders of the source tree.
function(program_sources out)
  set(files)
  foreach(folder IN LISTS ARGN)
    file(GLOB_RECURSE found "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
    foreach(file IN LISTS found)
      if(NOT file MATCHES "_test\\.cpp$" AND NOT file MATCHES "/testing/")
        list(APPEND files "${file}")
      endif()
    endforeach()
  endforeach()
  list(SORT files)
  set(${out} "${files}" PARENT_SCOPE)
endfunction()

# The environment variables that the given source files read.
function(environment_variables out)
  set(names)
  foreach(file IN LISTS ARGN)
    read_source("${file}" text)
    string(REGEX MATCHALL "(getenv|Variable)\\(\"[A-Za-z_][A-Za-z0-9_]*\"\\)" calls "${text}")
    foreach(call IN LISTS calls)
      string(REGEX REPLACE "^.*\\(\"(.*)\"\\)$" "\\1" name "${call}")
      list(APPEND names "${name}")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The command table of a tool, in `file` from `function` to its "return
# commands": every command (the first text of each entry, which
# `entry_regex` finds) has an entry in `section` of `page`, and every
# option ("--name") of the table is named there. Sets `out` to the table.
function(check_command_table page file function entry_regex section out)
  set(${out} "" PARENT_SCOPE)
  read_source("${SOURCE_DIR}/${file}" text)
  string(FIND "${text}" "${function}" at)
  if(at EQUAL -1)
    fail("${file} holds no ${function}")
    return()
  endif()
  string(SUBSTRING "${text}" ${at} -1 table)
  string(FIND "${table}" "return commands" end)
  string(SUBSTRING "${table}" 0 ${end} table)
  string(REGEX MATCHALL "${entry_regex}" entries "${table}")
  check_found("commands in ${file}" "${entries}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^{\"([^\"]+)\".*$" "\\1" command "${entry}")
    check_tag("${page} COMMANDS" "${section}" "${command}")
  endforeach()
  string(REGEX MATCHALL "\"--[a-z-]+\"" flags "${table}")
  check_found("command options in ${file}" "${flags}")
  foreach(flag IN LISTS flags)
    string(REPLACE "\"" "" flag "${flag}")
    check_contains("${page} COMMANDS" "${section}" "${flag}")
  endforeach()
  set(${out} "${table}" PARENT_SCOPE)
endfunction()

# Every message of `files` that begins with one of the texts after `out`
# (each with its opening quote) is in `section` of `page`, piece by piece;
# `out` gets the pieces.
function(check_message_fragments page section files out)
  set(found)
  foreach(file IN LISTS files)
    read_source("${file}" text)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
    foreach(start IN LISTS ARGN)
      message_fragments("${text}" "${start}" fragments)
      foreach(fragment IN LISTS fragments)
        decode_item("${fragment}" fragment)
        if(fragment STREQUAL "" OR fragment STREQUAL "Error -")
          continue()
        endif()
        list(APPEND found "${fragment}")
        check_contains("${page} DIAGNOSTICS (${relative})" "${section}" "${fragment}")
      endforeach()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# ---------------------------------------------------------------- rendering

set(column_limit 80)
string(REPEAT "[^\n]" ${column_limit} line_regex)
set(too_wide_regex "${line_regex}[^\n]")

# Renders `page` as a user reads it and leaves its text in `out`.
function(render page out)
  if(NOT EXISTS "${page}")
    fail("${page} is missing: configure the build first")
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  get_filename_component(name "${page}" NAME)

  execute_process(COMMAND "${GROFF}" -man -Tutf8 -ww -z "${page}"
    RESULT_VARIABLE status ERROR_VARIABLE warnings OUTPUT_QUIET)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    fail("${name}: groff warns (status ${status}):\n${warnings}")
  endif()

  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env MANWIDTH=${column_limit} MANPAGER=cat PAGER=cat
      LC_ALL=C.UTF-8 --unset=MAN_KEEP_FORMATTING --unset=GROFF_SGR --unset=MANROFFOPT
      "${MAN}" -l "${page}"
    RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    fail("${name}: man -l fails (status ${status}):\n${errors}")
  endif()

  # Overstriking and colours, should a formatter leave them in.
  string(ASCII 8 backspace)
  string(REGEX REPLACE "[^\n]${backspace}" "" text "${text}")
  string(ASCII 27 escape)
  string(REGEX REPLACE "${escape}\\[[0-9;]*m" "" text "${text}")
  # The typographic hyphens, dashes and quotes of some groff set-ups.
  foreach(mapping IN ITEMS "‐=-" "‑=-" "‒=-" "–=-" "−=-" "‘='" "’='" "“=\"" "”=\"")
    string(REGEX MATCH "^(.*)=(.*)$" ignored "${mapping}")
    string(REPLACE "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" text "${text}")
  endforeach()

  string(REGEX MATCH "[^\t\n -~]" strange "${text}")
  if(NOT strange STREQUAL "")
    string(REGEX MATCH "[^\n]*[^\t\n -~][^\n]*" line "${text}")
    fail("${name}: the rendered page holds a character that is not plain ASCII:\n${line}")
  endif()
  string(REGEX MATCHALL "${too_wide_regex}[^\n]*" lines "${text}")
  foreach(line IN LISTS lines)
    fail("${name}: a rendered line is wider than ${column_limit} columns:\n${line}")
  endforeach()
  string(REGEX MATCH "@[A-Z_]+@" placeholder "${text}")
  if(NOT placeholder STREQUAL "")
    fail("${name}: ${placeholder} was not filled in: render the configured page")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The section headings of a rendered page, in order.
function(headings_of text out)
  string(REGEX MATCHALL "\n[A-Z][A-Z ]*[A-Z]\n" found "\n${text}")
  set(headings)
  foreach(heading IN LISTS found)
    string(STRIP "${heading}" heading)
    list(APPEND headings "${heading}")
  endforeach()
  set(${out} "${headings}" PARENT_SCOPE)
endfunction()

# Every required heading is there once, in the order given.
function(check_headings name text)
  headings_of("${text}" headings)
  set(previous -1)
  set(previous_name "the start")
  foreach(required IN LISTS ARGN)
    list(FIND headings "${required}" index)
    if(index EQUAL -1)
      fail("${name}: section ${required} is missing (sections: ${headings})")
      continue()
    endif()
    set(copies "${headings}")
    list(FILTER copies INCLUDE REGEX "^${required}$")
    list(LENGTH copies count)
    if(count GREATER 1)
      fail("${name}: section ${required} appears ${count} times")
    endif()
    if(index LESS previous)
      fail("${name}: section ${required} comes before ${previous_name}")
    endif()
    set(previous ${index})
    set(previous_name ${required})
  endforeach()
endfunction()

# The lines of a rendered section, up to the next heading; kept as rendered.
function(section_of text heading out)
  string(FIND "\n${text}" "\n${heading}\n" at)
  if(at EQUAL -1)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  string(LENGTH "${heading}" length)
  math(EXPR start "${at} + ${length} + 1")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(REGEX MATCH "\n[A-Z][A-Z ]*[A-Z]\n" next "${rest}")
  if(NOT next STREQUAL "")
    string(FIND "${rest}" "${next}" end)
    string(SUBSTRING "${rest}" 0 ${end} rest)
  endif()
  set(${out} "${rest}" PARENT_SCOPE)
endfunction()

# `needle` (collapsed) is in the collapsed `haystack`.
function(check_contains what haystack needle)
  collapse("${needle}" needle)
  collapse("${haystack}" haystack)
  string(FIND "${haystack}" "${needle}" at)
  if(at EQUAL -1)
    fail("${what} lacks: ${needle}")
  endif()
endfunction()

# A rendered section has an entry (a line indented as the tags of .TP are,
# seven columns) whose tag is `word`, alone or in a list "A, B".
function(check_tag what section word)
  regex_quote("${word}" quoted)
  if(NOT "\n${section}\n" MATCHES "\n       ([^ \n]+, )*${quoted}(,? [^\n]*)?\n")
    fail("${what} has no entry for ${word}")
  endif()
endfunction()

# A source must give the checks something to check: a pattern that no longer
# matches anything is a failure, not an empty pass.
function(check_found what items)
  list(LENGTH items count)
  if(count EQUAL 0)
    fail("found no ${what} in the sources: the test no longer reads them right")
  endif()
endfunction()

# source_items(<file> <what> <regex> <item-regex> <out>): what <regex> matches
# in the source <file>, each match reduced to the first group of <item-regex>;
# none at all is a failure (check_found).
function(source_items file what regex item_regex out)
  read_source("${SOURCE_DIR}/${file}" text)
  string(REGEX MATCHALL "${regex}" matches "${text}")
  check_found("${what} in ${file}" "${matches}")
  set(items)
  foreach(match IN LISTS matches)
    string(REGEX REPLACE "${item_regex}" "\\1" item "${match}")
    list(APPEND items "${item}")
  endforeach()
  set(${out} "${items}" PARENT_SCOPE)
endfunction()

# ---------------------------------------------------------------- velkor-ipconfig-cmd.1

set(program_page "${PAGES_DIR}/velkor-ipconfig-cmd.1")
render("${program_page}" program_text)
set(program_name "velkor-ipconfig-cmd.1")
check_headings(${program_name} "${program_text}" NAME SYNOPSIS DESCRIPTION OPTIONS FAMILIES
  "EXIT STATUS" FILES ENVIRONMENT DIAGNOSTICS EXAMPLES SECURITY "SEE ALSO")
section_of("${program_text}" OPTIONS options_section)
section_of("${program_text}" FAMILIES families_section)
section_of("${program_text}" ENVIRONMENT program_environment_section)
section_of("${program_text}" DIAGNOSTICS diagnostics_section)
section_of("${program_text}" "SEE ALSO" program_see_also)

# The option table: ("long,s", [value,] "help text").
read_source("${SOURCE_DIR}/app/command_line.cpp" command_line)
string(REGEX REPLACE "\"[ \t\r\n]*\"" "" command_line "${command_line}")
set(options)
set(rest "${command_line}")
while(TRUE)
  string(REGEX MATCH "\\(\"([a-z_]+),([a-z])\"[^\"]*(${literal_regex})\\)" entry "${rest}")
  if(entry STREQUAL "")
    break()
  endif()
  set(long "${CMAKE_MATCH_1}")
  set(short "${CMAKE_MATCH_2}")
  literal_text("${CMAKE_MATCH_3}" help)
  list(APPEND options "--${long}")
  check_contains("${program_name} OPTIONS (--${long})" "${options_section}" "-${short}, --${long}")
  check_contains("${program_name} OPTIONS (help of --${long})" "${options_section}" "\"${help}\"")
  string(FIND "${rest}" "${entry}" at)
  string(LENGTH "${entry}" length)
  math(EXPR after "${at} + ${length}")
  string(SUBSTRING "${rest}" ${after} -1 rest)
endwhile()
check_found("options in app/command_line.cpp" "${options}")

# Every message that begins with "Error - ", piece by piece, and the rule
# checker's detail lines.
program_sources(message_files app addressing)
check_found("sources in app/ and addressing/" "${message_files}")
check_message_fragments("${program_name}" "${diagnostics_section}" "${message_files}"
  error_fragments "\"Error - " "\"\\t--> ")
foreach(file IN LISTS message_files)
  read_source("${file}" text)
  file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
  # The lines of a request that was not taken.
  literals_of("${text}" texts)
  foreach(printed IN LISTS texts)
    decode_item("${printed}" printed)
    if(printed MATCHES "has not been changed")
      list(APPEND error_fragments "${printed}")
      check_contains("${program_name} DIAGNOSTICS (${relative})" "${diagnostics_section}"
        "Info - ${printed}")
    endif()
  endforeach()
endforeach()
check_found("\"Error - \" messages in app/ and addressing/" "${error_fragments}")

# The request and parameter names the rule checker's lines are made of.
source_items(app/action_type.cpp "request names" "return \"[^\"]+\"" "^return \"(.*)\"$" actions)
foreach(action IN LISTS actions)
  if(NOT action STREQUAL "Unknown")
    check_contains("${program_name} DIAGNOSTICS" "${diagnostics_section}"
      "Error - invalid ${action} action")
    check_contains("${program_name} DIAGNOSTICS" "${diagnostics_section}"
      "Error - invalid ${action} action parameters")
  endif()
endforeach()
source_items(app/action_parameter.cpp "parameter names" "return \"[^\"]+\""
  "^return \"(.*)\"$" parameters)
foreach(parameter IN LISTS parameters)
  if(NOT parameter STREQUAL "Unknown")
    check_contains("${program_name} DIAGNOSTICS" "${diagnostics_section}" "${parameter}")
  endif()
endforeach()

# The family address sets and prefixes, as the lines show them and as
# FAMILIES explains them.
source_items(addressing/ip_subset.cpp addresses "\"[0-9]+\\.[0-9.]*\"" "^\"(.*)\"$" addresses)
foreach(address IN LISTS addresses)
  check_contains("${program_name} DIAGNOSTICS" "${diagnostics_section}" "${address}")
  check_contains("${program_name} FAMILIES" "${families_section}" "${address}")
endforeach()
source_items(addressing/ip_address_checks.cpp "family names" "\"Vk[A-Za-z0-9]+\"" "^\"(.*)\"$"
  families)
foreach(family IN LISTS families)
  check_contains("${program_name} DIAGNOSTICS" "${diagnostics_section}" "${family}")
endforeach()

# The environment the program and the bench libraries it links read.
program_sources(program_files app addressing detector module config platform bench)
environment_variables(program_variables ${program_files})
check_found("environment variables in the program's sources" "${program_variables}")
foreach(variable IN LISTS program_variables)
  check_tag("${program_name} ENVIRONMENT" "${program_environment_section}" "${variable}")
endforeach()

check_contains("${program_name} SEE ALSO" "${program_see_also}" "velkor-bench(1)")
check_contains("${program_name} SEE ALSO" "${program_see_also}"
  "/usr/share/doc/velkor-ipconfig-cmd/README.md")

# ---------------------------------------------------------------- velkor-bench.1

set(bench_page "${PAGES_DIR}/velkor-bench.1")
render("${bench_page}" bench_text)
set(bench_name "velkor-bench.1")
check_headings(${bench_name} "${bench_text}" NAME SYNOPSIS DESCRIPTION COMMANDS FAULTS
  "FACTORY BENCH" "EXIT STATUS" FILES ENVIRONMENT EXAMPLES "SEE ALSO")
section_of("${bench_text}" COMMANDS commands_section)
section_of("${bench_text}" FAULTS faults_section)
section_of("${bench_text}" "FACTORY BENCH" factory_section)
section_of("${bench_text}" ENVIRONMENT bench_environment_section)
section_of("${bench_text}" "SEE ALSO" bench_see_also)

# The command table: {"name", "ARGUMENTS", least, most, {flags}, {options}, ...}.
check_command_table("${bench_name}" bench/tool/bench_cli.cpp "BenchCli::Commands()"
  "{\"[^\"]+\", \"[^\"]*\", [0-9]+, [0-9]+," "${commands_section}" bench_table)

# The faults: ... Faults[] = {{Fault::Offline, "offline"}, ...};
read_source("${SOURCE_DIR}/bench/device/detector_state.cpp" text)
string(REGEX MATCH "Faults\\[\\] = {[^;]*}" table "${text}")
literals_of("${table}" faults)
check_found("faults in bench/device/detector_state.cpp" "${faults}")
foreach(fault IN LISTS faults)
  check_tag("${bench_name} FAULTS" "${faults_section}" "${fault}")
endforeach()

# The factory bench: {"MODEL", "ADDRESS", "HOST" or nullptr, Link::...}, and
# its modules {"PORT", "DETECTOR"}.
read_source("${SOURCE_DIR}/bench/device/factory_bench.cpp" text)
string(REGEX MATCHALL "{\"[^\"]+\", \"[^\"]+\", (nullptr|\"[^\"]+\"), Link::[A-Za-z]+}"
  detectors "${text}")
check_found("factory detectors in bench/device/factory_bench.cpp" "${detectors}")
foreach(detector IN LISTS detectors)
  string(REGEX MATCH "^{\"([^\"]+)\", \"([^\"]+)\", (nullptr|\"([^\"]+)\")" ignored "${detector}")
  set(model "${CMAKE_MATCH_1}")
  set(address "${CMAKE_MATCH_2}")
  set(host "${CMAKE_MATCH_4}")
  check_tag("${bench_name} FACTORY BENCH" "${factory_section}" "${model}")
  if(host STREQUAL "")
    check_contains("${bench_name} FACTORY BENCH" "${factory_section}" "${model} at ${address},")
  else()
    check_contains("${bench_name} FACTORY BENCH" "${factory_section}"
      "${model} at ${address} (host ${host})")
  endif()
endforeach()
string(REGEX MATCHALL "{\"[^\"]+\", \"[^\"]+\"}" modules "${text}")
check_found("factory modules in bench/device/factory_bench.cpp" "${modules}")
foreach(module IN LISTS modules)
  string(REGEX MATCH "^{\"([^\"]+)\", \"([^\"]+)\"}" ignored "${module}")
  check_tag("${bench_name} FACTORY BENCH" "${factory_section}" "${CMAKE_MATCH_1}")
  check_contains("${bench_name} FACTORY BENCH" "${factory_section}"
    "${CMAKE_MATCH_1} an infrared module facing the ${CMAKE_MATCH_2}")
endforeach()

program_sources(bench_files bench)
environment_variables(bench_variables ${bench_files})
check_found("environment variables in bench/" "${bench_variables}")
foreach(variable IN LISTS bench_variables)
  check_tag("${bench_name} ENVIRONMENT" "${bench_environment_section}" "${variable}")
endforeach()

check_contains("${bench_name} SEE ALSO" "${bench_see_also}" "velkor-ipconfig-cmd(1)")

# ---------------------------------------------------------------- velkor-site.1

set(site_page "${PAGES_DIR}/velkor-site.1")
render("${site_page}" site_text)
set(site_name "velkor-site.1")
check_headings(${site_name} "${site_text}" NAME SYNOPSIS DESCRIPTION COMMANDS PLAN "EXIT STATUS"
  FILES ENVIRONMENT DIAGNOSTICS EXAMPLES SECURITY "SEE ALSO")
section_of("${site_text}" COMMANDS site_commands_section)
section_of("${site_text}" PLAN plan_section)
section_of("${site_text}" DIAGNOSTICS site_diagnostics_section)
section_of("${site_text}" "SEE ALSO" site_see_also)

# The command table: {"name", {usages}, {own options}, {the program's}, ...}.
check_command_table("${site_name}" site/site_cli.cpp "SiteCli::Commands()" "{\"[a-z]+\", {\""
  "${site_commands_section}" site_table)
# The program's options that show takes, by their long names.
foreach(option IN LISTS options)
  string(REGEX REPLACE "^--" "" long "${option}")
  if(site_table MATCHES "\"${long}\"")
    check_contains("${site_name} COMMANDS" "${site_commands_section}" "${option}")
  endif()
endforeach()

# The plan's columns: {"name", &PlanRow::cell}.
source_items(site/plan.cpp "plan columns" "{\"[a-z_]+\", &PlanRow::" "^{\"([a-z_]+)\".*$" columns)
foreach(column IN LISTS columns)
  check_tag("${site_name} PLAN" "${plan_section}" "${column}")
endforeach()

# Every message of site/ that begins with "Error - ", piece by piece.
program_sources(site_files site)
check_found("sources in site/" "${site_files}")
check_message_fragments("${site_name}" "${site_diagnostics_section}" "${site_files}"
  site_fragments "\"Error - ")
check_found("\"Error - \" messages in site/" "${site_fragments}")

check_contains("${site_name} SEE ALSO" "${site_see_also}" "velkor-ipconfig-cmd(1)")
check_contains("${program_name} SEE ALSO" "${program_see_also}" "velkor-site(1)")

get_property(failure_count GLOBAL PROPERTY man_pages_failures)
if(failure_count GREATER 0)
  message(FATAL_ERROR "${failure_count} failure(s) in the manual pages")
endif()
message(STATUS "manual pages: ${program_name}, ${bench_name} and ${site_name} render cleanly and match the sources")
