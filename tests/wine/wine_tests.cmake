# Tests of the Linux run that start 32-bit Windows programs of the build tree
# QRV_WINDOWS_BUILD_DIR under Wine with the German locale.
add_test(NAME wine_locale
         COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run_in_wine.sh
                 ${QRV_WINDOWS_BUILD_DIR}/tests/wine/locale_proof.exe)
