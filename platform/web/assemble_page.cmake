# SPDX-License-Identifier: MIT
# Puts the program's script into the page that already shows the window, at the end of its
# body, so the window paints first: cmake -DPAGE=page.html -DSCRIPT=vrenkodal.js
# -DOUTPUT=vrenkodal.html [-DSITE=ON] -P assemble_page.cmake
# A site's page also names its manifest and starts the service worker that keeps it offline.
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "the script holds </script, which would end it early in the page")
endif()
if(SITE)
    string(REPLACE "</head>" "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n</head>"
           page "${page}")
    set(script "if(\"serviceWorker\" in navigator)navigator.serviceWorker.register(\"sw.js\");\n${script}")
endif()
string(REPLACE "</body>" "<script>\n${script}</script>\n</body>" page "${page}")
file(WRITE ${OUTPUT} "${page}")
