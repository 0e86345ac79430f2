# Compiler settings every target of ours shares: warnings as errors on both compilers, and on Windows
# the NT 4 API level, so that declarations newer than NT 4 are hidden from our code.

function(kiv_defaults target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_compile_definitions(${target} PRIVATE _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0400
                                                 WIN32_LEAN_AND_MEAN NOMINMAX)
  endif()
endfunction()

# A Windows executable with the compiler's runtime linked in, so it imports only system DLLs and msvcrt
# and runs from any folder; stripped in release builds.
function(kiv_static_runtime target)
  if(NOT MSVC)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release,MinSizeRel>:-s>)
  endif()
endfunction()

# A shipped Windows GUI program.
function(kiv_win32_program target)
  kiv_defaults(${target})
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  kiv_static_runtime(${target})
endfunction()
