# Makes the release archive and checks what it holds:
#   cmake -DBUILD=... -P check-release.cmake
execute_process(COMMAND "${CMAKE_CPACK_COMMAND}" --config "${BUILD}/CPackConfig.cmake"
                WORKING_DIRECTORY "${BUILD}" RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "cpack failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${BUILD}/release/tarrowin-win32.zip"
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
foreach(entry tarrowin.exe README.txt examples/kanji.csv examples/katakana.csv examples/capitals.csv)
    if(NOT listing MATCHES "tarrowin-win32/${entry}\n")
        message(FATAL_ERROR "the release archive lacks ${entry}:\n${listing}")
    endif()
endforeach()
