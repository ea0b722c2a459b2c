# Runs one Qt Test program of a Windows build on the offscreen platform and shows its log: a Qt
# program without a console of its own (under Wine, or started by a service) writes its log to the
# debugger, where nobody sees it, so the log goes to a file and from there to CTest.
#   cmake -DEMULATOR=wine64 -DPROGRAM=ui_FooTest.exe -DLOG=ui_FooTest.log -P RunQtTest.cmake
file(REMOVE ${LOG})
execute_process(COMMAND ${EMULATOR} ${PROGRAM} -platform offscreen -o ${LOG},txt
    RESULT_VARIABLE result)
if(EXISTS ${LOG})
    file(READ ${LOG} log)
    message("${log}")
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ended with ${result}")
endif()
