# Runs the programs and tests of a Windows cross build under Wine, in a prefix of the build
# tree that the tests set up once per run (tests/win32). No Mono or Gecko prompts, no debug
# chatter.
find_program(LUMENPOLL_WINE wine REQUIRED)
find_program(LUMENPOLL_WINESERVER wineserver REQUIRED)
find_program(LUMENPOLL_WINEBOOT wineboot REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMENPOLL_WINE})
set(LUMENPOLL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(LUMENPOLL_WINE_ENVIRONMENT
    WINEPREFIX=${LUMENPOLL_WINE_PREFIX}
    WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml=)

# Makes a test run under Wine: the prefix's environment, once the prefix is set up.
function(lumenpoll_wine_test name)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${LUMENPOLL_WINE_ENVIRONMENT}"
                                          FIXTURES_REQUIRED wine_prefix)
endfunction()
