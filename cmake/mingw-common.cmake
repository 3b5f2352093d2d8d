# The posix thread model variant is the one Debian installs GoogleTest's
# threading support against; the program itself starts no thread.
find_program(CMAKE_C_COMPILER NAMES ${PIXMORA_TRIPLET}-gcc-posix ${PIXMORA_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${PIXMORA_TRIPLET}-g++-posix ${PIXMORA_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${PIXMORA_TRIPLET}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${PIXMORA_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every exe, tests included, carries its runtime so Wine needs no MinGW DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests of the Windows side run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
