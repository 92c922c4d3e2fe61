# SPDX-License-Identifier: MIT
# Puts the program's script into the page that already shows the window, at the end of its
# body, so the window paints first: cmake -DPAGE=page.html -DSCRIPT=vrenkodal.js
# -DOUTPUT=vrenkodal.html -P assemble_page.cmake
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "the script holds </script, which would end it early in the page")
endif()
string(REPLACE "</body>" "<script>\n${script}</script>\n</body>" page "${page}")
file(WRITE ${OUTPUT} "${page}")
