if(VORNEX_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_compile_options(${_san})
    add_link_options(${_san})
endif()
if(VORNEX_FUZZ)
    # Every library is built with libFuzzer's coverage and the sanitizers; the fuzz targets
    # add the fuzzer's main (fuzz/CMakeLists.txt).
    set(_fuzz_san -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    add_compile_options(${_fuzz_san})
    add_link_options(-fsanitize=address,undefined)
endif()
