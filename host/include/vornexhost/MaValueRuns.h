#pragma once
// Long runs of values (mesh points, UVs, edges, faces) read on several threads. A run is cut
// at token boundaries and each piece read by a tokenizer of its own; any piece that holds
// anything but plain values makes the whole run go back to the one-thread reading, which
// reports errors with their lines. Results are the same either way.
#include <vornexhost/Data.h>
#include <vornexhost/MaTokenizer.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace vornexhost {

struct ValueRunSplit {
    std::size_t minBytes = 64 * 1024; // shorter runs are read on the calling thread
    unsigned pieces = 0;              // 0: four for each thread there is
};
// Process-wide; tests and the fuzzer make every run split.
void setValueRunSplit(const ValueRunSplit& split);
// Runs read in pieces since the program started.
std::uint64_t valueRunsSplit();

// Receives numbers first .. first + n - 1 of a run (counted from 0); called from several
// threads at once, each time for other numbers.
using NumberStore = std::function<void(std::size_t first, const double* values, std::size_t n)>;
// Reads exactly `count` plain numbers from the cursor to the ';' that ends the run, in pieces,
// handing each to `store`, and leaves the tokenizer at the ';'. False, with the tokenizer where
// it was, when the run is short, cannot be cut, or holds anything else or another count of
// values (`store` may have been given some of them).
bool readNumberRunInPieces(MaTokenizer& tokens, std::size_t count, const NumberStore& store);
// Reads polyFaces records from the cursor to the ';' in pieces cut at face starts, appending
// them to `faces` (without closing offsets); false, with nothing read, as above.
bool readPolyFacesRunInPieces(MaTokenizer& tokens, PolyFaces& faces);

} // namespace vornexhost
