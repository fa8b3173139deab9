function(qrv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${QRV_WERROR}>:-Werror>)
  # GCC 12 reports std::string concatenations inlined at -O3 as overlapping copies (GCC bug
  # 105329); the warning says nothing about our code there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
  endif()
endfunction()
