# Tests that run a checking program from outside the project (clang-format,
# desktop-file-validate, appstreamcli). The project builds without them: a test whose checker
# is missing still exists but is reported as skipped, saying which program is missing and which
# Debian package brings it.

# numora_find_checker(<variable> <program> <debian-package>)
# Looks for <program> and keeps its path in <variable> (<variable>-NOTFOUND when it is missing).
function(numora_find_checker variable program package)
  find_program(${variable} ${program})
  set(${variable}_PROGRAM ${program} CACHE INTERNAL "")
  set(${variable}_PACKAGE ${package} CACHE INTERNAL "")
  if(NOT ${variable})
    message(NOTICE "${program} not found: the tests that need it will be skipped (install the "
                   "Debian package ${package}, e.g. with scripts/install-dependencies)")
  endif()
endfunction()

# numora_add_checker_test(NAME <test> NEEDS <variable>... COMMAND <command> [<argument>...])
# Adds the test; when a checker named in NEEDS was not found, the test runs a stand-in that
# reports the missing program and exits with the test's skip code instead.
function(numora_add_checker_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME" "NEEDS;COMMAND")
  set(missing_programs "")
  set(missing_packages "")
  foreach(variable IN LISTS arg_NEEDS)
    if(NOT ${variable})
      list(APPEND missing_programs ${${variable}_PROGRAM})
      list(APPEND missing_packages ${${variable}_PACKAGE})
    endif()
  endforeach()
  if(missing_programs)
    list(JOIN missing_programs ", " programs)
    list(JOIN missing_packages " " packages)
    add_test(NAME ${arg_NAME}
             COMMAND ${PROJECT_SOURCE_DIR}/cmake/skip-missing-program "${programs}" "${packages}")
    set_tests_properties(${arg_NAME} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND})
  endif()
endfunction()
