# Shared settings for the project's own targets: warnings, sanitizers, and the
# engine-library pattern (every .cpp of a folder, one static library per folder).

function(vorenta_target_settings target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(VORENTA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(VORENTA_SANITIZE)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# vorenta_engine_library(name [deps...]): a standard-C++ library from the .cpp
# files of the current folder; the repository root is its include root, so
# headers are included as "numeric/fft.h", "core/signal_store.h", ...
function(vorenta_engine_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A folder whose units are still to come: headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
  vorenta_target_settings(${name})
endfunction()
