# Every target of the project is built with the same warnings on g++ and clang. They stop the
# build only with VORNEX_WERROR (the project's own checks turn it on), so a user's build never
# fails on a warning of a compiler or optimiser level we have not tried.
option(VORNEX_WERROR "Treat compiler warnings as errors" OFF)

function(vornex_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic
        -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
        -Woverloaded-virtual -Wconversion -Wsign-conversion -Wnull-dereference
        -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
        # g++ 12 reports std::string copies inlined at -O2 as overlapping (its bug 105329).
        $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
        $<$<BOOL:${VORNEX_WERROR}>:-Werror>)
endfunction()
