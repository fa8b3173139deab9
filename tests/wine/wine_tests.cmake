# The locale proof of the Windows build tree that runs under Wine (see tests/abi/CMakeLists.txt).
add_test(NAME wine_locale
         COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run_in_wine.sh
                 ${wine_dir}/tests/wine/locale_proof.exe)
set_tests_properties(wine_locale PROPERTIES FIXTURES_REQUIRED qrv_windows_programs
                                            RESOURCE_LOCK qrv_wineprefix TIMEOUT 300
                                            LABELS wine)
