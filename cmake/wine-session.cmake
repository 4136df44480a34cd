# Starts or stops the Wine session that the Windows test programs run in:
#   cmake -DWINE=... -DWINEPREFIX=... -DACTION=start|stop -P wine-session.cmake
#
# start readies the prefix once (a crash ends the program with its exception code
# instead of waiting in Wine's crash dialog; windows need no window manager to go
# away quickly), then keeps a wine server with Wine's own background programs
# running. Started here, with no pipe of CTest's, they neither hold a test's output
# open nor have to start again for every test program.
set(ENV{WINEPREFIX} "${WINEPREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=d")
get_filename_component(wine_folder "${WINE}" DIRECTORY)
find_program(WINESERVER wineserver HINTS "${wine_folder}" /usr/lib/wine REQUIRED)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed
                    INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
    if(failed)
        message(FATAL_ERROR "${ARGN} failed: ${failed}")
    endif()
endfunction()

# The prefix is the build's own: whatever server runs on it is a leftover of ours.
execute_process(COMMAND "${WINESERVER}" -k INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
if(ACTION STREQUAL "stop")
    return()
endif()

if(NOT EXISTS "${WINEPREFIX}/.tarrowin-ready")
    run("${WINE}" wineboot --init)
    run("${WINE}" reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f)
    run("${WINE}" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f)
    run("${WINESERVER}" -w)     # the settings are saved when the server ends
    file(TOUCH "${WINEPREFIX}/.tarrowin-ready")
endif()
run("${WINESERVER}" -p)
run("${WINE}" wineboot)
