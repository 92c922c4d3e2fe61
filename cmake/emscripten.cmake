# SPDX-License-Identifier: MIT
# The browser program, compiled to WebAssembly with Debian's Emscripten. Its tools run on
# Node.js, which must find Debian's own JavaScript modules (acorn), and on Debian's Python even
# where another python3 comes first on PATH: every compile and link gets that environment.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(emscripten_environment ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs
    EMSDK_PYTHON=/usr/bin/python3)
set(CMAKE_C_COMPILER_LAUNCHER ${emscripten_environment})
set(CMAKE_CXX_COMPILER_LAUNCHER ${emscripten_environment})
set(CMAKE_C_LINKER_LAUNCHER ${emscripten_environment})
set(CMAKE_CXX_LINKER_LAUNCHER ${emscripten_environment})
