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
