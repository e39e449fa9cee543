# numora::options: the compile flags of every target of the project. Executables link it
# PRIVATE; libraries link it PRIVATE too, because a static library is compiled with its own
# flags and a consumer's translation units link numora::options themselves.
#
# Optimised configurations build at -O2, the level the tests and benchmarks measure; Debug
# builds stay unoptimised. The floating-point flags hold in every configuration.
include(${CMAKE_CURRENT_LIST_DIR}/FloatingPointFlags.cmake)

add_library(numora_options INTERFACE)
add_library(numora::options ALIAS numora_options)
target_compile_options(numora_options INTERFACE -Wall -Wextra ${NUMORA_FLOATING_POINT_FLAGS}
                                                $<$<NOT:$<CONFIG:Debug>>:-O2>)

# Every report of the sanitizers ends the program, so a test that provokes one fails.
if(NUMORA_SANITIZE)
  set(numora_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_options(numora_options INTERFACE ${numora_sanitizers} -fno-omit-frame-pointer)
  target_link_options(numora_options INTERFACE ${numora_sanitizers})
endif()

# Fails the configuration when a target that compiles code does not link numora::options, so
# no part of the program is ever built without the floating-point flags.
function(numora_check_options_linked directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      get_target_property(libraries ${target} LINK_LIBRARIES)
      if(NOT "numora::options" IN_LIST libraries AND NOT "numora_options" IN_LIST libraries)
        message(FATAL_ERROR "${target} (in ${directory}) does not link numora::options: add "
                            "target_link_libraries(${target} PRIVATE numora::options)")
      endif()
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    numora_check_options_linked(${subdirectory})
  endforeach()
endfunction()
