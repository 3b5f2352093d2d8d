# Flags for the program's own code. Third-party code (GoogleTest) keeps its own.

function(pixmora_own_code target)
    if(MSVC)
        # Same meaning for Microsoft's compiler: UTF-8 sources, GBK texts.
        target_compile_options(${target} PRIVATE /W4 /WX /source-charset:utf-8
                                                 /execution-charset:.936)
        target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                     _WIN32_WINNT=0x0601 _HAS_EXCEPTIONS=0)
        return()
    endif()
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Werror
        # Sources are UTF-8; every text the program carries is GBK at run time.
        -finput-charset=UTF-8 -fexec-charset=GBK)
    get_target_property(type ${target} TYPE)
    if(NOT target MATCHES "test")
        # The shipped code has no use for exceptions or RTTI, and either one
        # drags the C++ runtime's unwinder into the executable.
        target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti
                                                 -fno-threadsafe-statics)
        if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
            # With no exceptions nothing unwinds through this code, and 32-bit
            # Windows finds its own handlers by frame, not by table, so the
            # DWARF unwind tables would only be dead weight in the exe. (64-bit
            # Windows needs its unwind tables to walk any stack, so they stay.)
            target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
        endif()
    endif()
    if(WIN32)
        target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN
                                                     NOMINMAX _WIN32_WINNT=0x0601)
        target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    endif()
endfunction()

# The executable a player runs: a GUI program, runtime linked in statically,
# small, importing nothing but Windows' own DLLs.
function(pixmora_shipped_exe target)
    if(MSVC)
        set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded")
        return()
    endif()
    target_link_options(${target} PRIVATE -municode -mwindows -static -s -Wl,--gc-sections)
endfunction()
