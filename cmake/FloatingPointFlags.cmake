# Every result is decided digit for digit, and floating-point faults are found by testing the
# exception flags after each operation. Both need IEEE semantics that some optimisation flags
# give up, so those flags are refused wherever they come from.
set(NUMORA_FORBIDDEN_FLAGS -ffast-math -Ofast -fno-math-errno -ffinite-math-only
                           -funsafe-math-optimizations -fno-trapping-math)
foreach(flag IN LISTS NUMORA_FORBIDDEN_FLAGS)
  foreach(variable IN ITEMS CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_${CMAKE_BUILD_TYPE})
    string(TOUPPER "${variable}" variable)
    if(" ${${variable}} " MATCHES " ${flag} ")
      message(FATAL_ERROR "${flag} in ${variable} breaks Numora's exact arithmetic and fault "
                          "detection; remove it.")
    endif()
  endforeach()
endforeach()

add_compile_options(-Wall -Wextra -O2 -frounding-math)
