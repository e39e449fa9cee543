# Every result is decided digit for digit, and floating-point faults are found by testing the
# exception flags after each operation. Both need IEEE semantics that some optimisation flags
# give up, so those flags are refused wherever they come from.
set(NUMORA_FORBIDDEN_FLAGS -ffast-math -Ofast -fno-math-errno -ffinite-math-only
                           -funsafe-math-optimizations -fno-trapping-math)
set(flag_variables CMAKE_CXX_FLAGS)
foreach(config IN LISTS CMAKE_BUILD_TYPE CMAKE_CONFIGURATION_TYPES)
  string(TOUPPER "${config}" config)
  list(APPEND flag_variables CMAKE_CXX_FLAGS_${config})
endforeach()
foreach(flag IN LISTS NUMORA_FORBIDDEN_FLAGS)
  foreach(variable IN LISTS flag_variables)
    if(" ${${variable}} " MATCHES " ${flag} ")
      message(FATAL_ERROR "${flag} in ${variable} breaks Numora's exact arithmetic and fault "
                          "detection; remove it.")
    endif()
  endforeach()
endforeach()

# The flags every translation unit needs, in every configuration (numora::options carries them).
# -frounding-math: the compiler may not fold or move floating-point operations on the
# assumption that the rounding mode is round-to-nearest, because number text is held to
# round-to-nearest under whatever mode the caller left, and only code evaluated at run time
# under the real control word can do that.
set(NUMORA_FLOATING_POINT_FLAGS -frounding-math)
