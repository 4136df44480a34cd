# Starts or stops the session that the Windows test programs run in, or only
# readies a Wine prefix for running the program:
#   cmake -DWINE=... -DBUILD=... -DACTION=start|stop -P wine-session.cmake
#   cmake -DWINE=... -DBUILD=... -DACTION=prepare [-DWINEPREFIX=...] -P wine-session.cmake
#
# Every prefix is readied once: Meiryo, which the windows ask for, is stood in for
# by fonts of the system (japanese-fonts.reg), and the caption buttons get Wine's
# Marlett. The tests' prefix, the build's wineprefix, also ends a crashed program
# with its exception code instead of waiting in Wine's crash dialog, and lets
# windows go away quickly with no window manager.
#
# start gives the session a display of its own (an Xvfb server, so windows never
# land on the user's screen and tests run where there is no screen at all), then
# keeps a wine server with Wine's own background programs running. Started here,
# with no pipe of CTest's, they neither hold a test's output open nor have to
# start again for every test program. cmake/wine-run.sh puts the programs on the
# session's display.
if(NOT WINEPREFIX)
    set(WINEPREFIX "${BUILD}/wineprefix")
endif()
set(session "${BUILD}/session")
set(ENV{WINEPREFIX} "${WINEPREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=d")
get_filename_component(wine_folder "${WINE}" DIRECTORY)
find_program(WINESERVER wineserver HINTS "${wine_folder}" /usr/lib/wine REQUIRED)
find_program(XVFB Xvfb REQUIRED)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed
                    INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
    if(failed)
        message(FATAL_ERROR "${ARGN} failed: ${failed}")
    endif()
endfunction()

function(prepare)
    if(NOT EXISTS "${WINEPREFIX}/.tarrowin-fonts")
        run("${WINE}" wineboot --init)
        run("${WINE}" regedit /S "${CMAKE_CURRENT_LIST_DIR}/japanese-fonts.reg")
        # Wine from Debian does not look in fonts-wine's folder.
        file(COPY /usr/share/wine/fonts/marlett.ttf DESTINATION "${WINEPREFIX}/drive_c/windows/Fonts")
        run("${WINESERVER}" -w)     # the settings are saved when the server ends
        file(TOUCH "${WINEPREFIX}/.tarrowin-fonts")
    endif()
endfunction()

if(ACTION STREQUAL "prepare")
    prepare()
    return()
endif()

# The prefix and the session folder are the build's own: whatever runs on them is
# a leftover of ours.
execute_process(COMMAND "${WINESERVER}" -k INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
if(EXISTS "${session}/xvfb.pid")
    file(READ "${session}/xvfb.pid" pid)
    string(STRIP "${pid}" pid)
    execute_process(COMMAND kill ${pid} OUTPUT_QUIET ERROR_QUIET)
endif()
file(REMOVE_RECURSE "${session}")
if(ACTION STREQUAL "stop")
    return()
endif()

# Xvfb picks a free display number and writes it to the file behind descriptor 3.
file(MAKE_DIRECTORY "${session}")
execute_process(COMMAND sh -c "\"$0\" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>\"$1/display.new\" </dev/null >/dev/null 2>&1 & echo $! >\"$1/xvfb.pid\""
                        "${XVFB}" "${session}"
                INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
foreach(attempt RANGE 200)
    set(display "")
    if(EXISTS "${session}/display.new")
        file(READ "${session}/display.new" display)
        string(STRIP "${display}" display)
    endif()
    if(display MATCHES "^[0-9]+$")
        break()
    endif()
    execute_process(COMMAND sleep 0.05)
endforeach()
if(NOT display MATCHES "^[0-9]+$")
    message(FATAL_ERROR "Xvfb did not start")
endif()
file(WRITE "${session}/display" "${display}\n")
set(ENV{DISPLAY} ":${display}")

prepare()
if(NOT EXISTS "${WINEPREFIX}/.tarrowin-tests")
    run("${WINE}" reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f)
    run("${WINE}" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f)
    run("${WINESERVER}" -w)
    file(TOUCH "${WINEPREFIX}/.tarrowin-tests")
endif()
run("${WINESERVER}" -p)
run("${WINE}" wineboot)
