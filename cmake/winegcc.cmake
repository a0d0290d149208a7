# Builds Win32 programs as Winelib ELF binaries.
find_program(WINEGCC winegcc HINTS /usr/lib/wine /usr/lib64/wine REQUIRED)
find_program(WINEGXX wineg++ HINTS /usr/lib/wine /usr/lib64/wine REQUIRED)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${WINEGCC})
set(CMAKE_CXX_COMPILER ${WINEGXX})
set(CMAKE_C_COMPILER_WORKS TRUE)
set(CMAKE_CXX_COMPILER_WORKS TRUE)
set(CMAKE_EXECUTABLE_SUFFIX .exe)
