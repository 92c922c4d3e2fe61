# SPDX-License-Identifier: MIT
# Without any display the program says so in one line and exits with status 1, not a crash.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM ${PROGRAM}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    TIMEOUT 20)
if(NOT status STREQUAL "1")
    message(FATAL_ERROR "exit status '${status}', expected 1; stderr:\n${err}")
endif()
string(STRIP "${out}${err}" said)
string(FIND "${said}" "\n" newline)
if(NOT newline EQUAL -1 OR NOT said MATCHES "дисплей")
    message(FATAL_ERROR "expected one line about the display, got:\n${said}")
endif()
