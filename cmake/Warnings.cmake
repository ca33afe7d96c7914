# Every target of the project builds with warnings as errors on g++ and clang.
function(vornex_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Werror
        -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
        -Woverloaded-virtual -Wconversion -Wsign-conversion -Wnull-dereference
        -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
        # g++ 12 reports std::string copies inlined at -O2 as overlapping (its bug 105329).
        $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()
