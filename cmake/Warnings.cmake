function(qrv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${QRV_WERROR}>:-Werror>)
endfunction()
