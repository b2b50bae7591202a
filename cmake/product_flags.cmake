# Flags of what ships: small, static, no C++ runtime beyond the C library,
# reproducible (no time stamps, no build paths). No -fdata-sections: with it
# GCC stores the zero-filled global state in the file instead of in .bss.
function(launcher_product_flags target)
    target_compile_options(${target} PRIVATE
        -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
        -ffunction-sections
        "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.")
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE
            -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
    endif()
endfunction()

# No C runtime: the program's own entry and win32_runtime in its place, the
# four system DLLs, and libgcc for what the compiler itself calls (64-bit
# division, stack probes).
function(launcher_without_c_runtime target)
    target_link_options(${target} PRIVATE -nostdlib)
    target_link_libraries(${target} PRIVATE win32_runtime kernel32 user32 gdi32 advapi32 gcc)
endfunction()
