#include <vornexhost/MaPolyFaces.h>
#include <vornexhost/MaValueRuns.h>

#include "Shared/Base/WorkSharing.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string_view>

namespace vornexhost {

using vx::shareWork;
using vx::workHelpers;

namespace {

std::atomic<std::size_t> g_minBytes{ValueRunSplit{}.minBytes};
std::atomic<unsigned> g_pieces{0};
std::atomic<std::uint64_t> g_split{0};

// Several pieces a thread, so that a thread that gets no processor for a while leaves its
// share to the others.
unsigned pieceCount() {
    if (const unsigned n = g_pieces.load(std::memory_order_relaxed))
        return n;
    const unsigned helpers = workHelpers();
    return helpers == 0 ? 1u : 4u * (helpers + 1u);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The text from the cursor to the ';' that ends the run, or empty when the run is short or a
// string or comment could hide or fake its end. A peeked first value is put back.
std::string_view runText(MaTokenizer& tokens) {
    if (tokens.hasPeeked() && !tokens.unpeekWord())
        return {};
    const std::string_view rest(tokens.cursor(),
                                static_cast<std::size_t>(tokens.end() - tokens.cursor()));
    const std::size_t semicolon = rest.find(';');
    if (semicolon == std::string_view::npos)
        return {};
    const std::string_view run = rest.substr(0, semicolon);
    if (run.size() < std::max<std::size_t>(g_minBytes.load(std::memory_order_relaxed), 1) ||
        run.find('"') != std::string_view::npos || run.find('/') != std::string_view::npos)
        return {};
    return run;
}

// Cuts `run` into at most pieceCount() pieces of about equal size, each after the first
// beginning where `startsPiece` allows; fewer when no such place follows.
template <class StartsPiece>
std::vector<std::string_view> cut(std::string_view run, StartsPiece startsPiece) {
    const std::size_t wanted = pieceCount();
    std::vector<std::string_view> pieces;
    std::size_t begin = 0;
    for (std::size_t k = 1; k < wanted; ++k) {
        std::size_t at = std::max(begin + 1, run.size() * k / wanted);
        while (at < run.size() && !startsPiece(run, at))
            ++at;
        if (at >= run.size())
            break;
        pieces.push_back(run.substr(begin, at - begin));
        begin = at;
    }
    pieces.push_back(run.substr(begin));
    return pieces;
}

// Runs read(i, tokens) for every piece, each with a tokenizer of its own, on the threads
// shareWork offers; `newlines` receives the line ends the pieces crossed. False when any piece
// fails.
template <class Read>
bool readPieces(const std::vector<std::string_view>& pieces, std::uint32_t& newlines, Read read) {
    std::vector<std::uint32_t> lines(pieces.size(), 0);
    std::vector<char> ok(pieces.size(), 0);
    shareWork(pieces.size(), [&](std::size_t i) {
        try {
            MaTokenizer tokens(pieces[i]);
            ok[i] = read(i, tokens) ? 1 : 0;
            lines[i] = tokens.line() - 1;
        } catch (...) {
            ok[i] = 0; // read again on one thread, which reports it
        }
    });
    newlines = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!ok[i])
            return false;
        newlines += lines[i];
    }
    return true;
}

// Words of `text`: runs of bytes above ' ', eight bytes at a time. Control characters other
// than blanks count as blanks here; the tokenizer then reads another count, and the piece fails.
std::size_t countWords(std::string_view text) {
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    constexpr std::uint64_t kLow = 0x7F7F7F7F7F7F7F7Fu;
    std::size_t words = 0;
    std::uint64_t carry = 0; // the previous byte's flag, as byte 0's
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, text.data() + i, 8);
        // The high bit of each byte above 0x20 (0x21-0x7F overflow into it; 0x80 up have it).
        const std::uint64_t word = (w | ((w & kLow) + 0x5F5F5F5F5F5F5F5Fu)) & kHigh;
        // Each byte's flag moved to its low bit, summed into the top byte by one multiply.
        const std::uint64_t starts = (word & ~((word << 8) | carry)) >> 7;
        words += static_cast<std::size_t>((starts * 0x0101010101010101u) >> 56);
        carry = word >> 56;
    }
    bool inWord = carry != 0;
    for (; i < text.size(); ++i) {
        const bool wordByte = static_cast<unsigned char>(text[i]) > ' ';
        words += wordByte && !inWord ? 1u : 0u;
        inWord = wordByte;
    }
    return words;
}

// Room in `faces` for all the pieces and the closing offsets, so that joining them copies
// each array once.
void reserveFor(PolyFaces& faces, const std::vector<PolyFaces>& pieces) {
    auto reserve = [&](auto member) {
        std::size_t n = (faces.*member).size() + 1;
        for (const PolyFaces& p : pieces)
            n += (p.*member).size();
        (faces.*member).reserve(n);
    };
    auto reserveIds = [&](CornerIds PolyFaces::*set) {
        std::size_t runs = (faces.*set).runs.size();
        std::size_t firstRun = (faces.*set).firstRun.size() + 1;
        std::size_t ids = (faces.*set).ids.size();
        for (const PolyFaces& p : pieces) {
            runs += (p.*set).runs.size();
            firstRun += (p.*set).firstRun.size();
            ids += (p.*set).ids.size();
        }
        (faces.*set).runs.reserve(runs);
        (faces.*set).firstRun.reserve(firstRun);
        (faces.*set).ids.reserve(ids);
    };
    reserve(&PolyFaces::faceFirstLoop);
    reserve(&PolyFaces::loopFirstEdge);
    reserve(&PolyFaces::edges);
    reserveIds(&PolyFaces::uvs);
    reserveIds(&PolyFaces::colors);
}

} // namespace

void setValueRunSplit(const ValueRunSplit& split) {
    g_minBytes.store(split.minBytes, std::memory_order_relaxed);
    g_pieces.store(std::min(split.pieces, 64u), std::memory_order_relaxed);
}

std::uint64_t valueRunsSplit() {
    return g_split.load(std::memory_order_relaxed);
}

bool readNumberRunInPieces(MaTokenizer& tokens, std::size_t count, const NumberStore& store) {
    const std::string_view run = runText(tokens);
    if (run.empty() || pieceCount() < 2)
        return false;
    const std::vector<std::string_view> pieces =
        cut(run, [](std::string_view text, std::size_t at) { return isBlank(text[at]); });
    if (pieces.size() < 2)
        return false;
    // Each piece's numbers go straight to their place: count them first.
    std::vector<std::size_t> first(pieces.size() + 1, 0);
    shareWork(pieces.size(), [&](std::size_t i) { first[i + 1] = countWords(pieces[i]); });
    for (std::size_t i = 0; i < pieces.size(); ++i)
        first[i + 1] += first[i];
    if (first.back() != count)
        return false;
    std::uint32_t newlines = 0;
    const bool read = readPieces(pieces, newlines, [&](std::size_t i, MaTokenizer& piece) {
        constexpr std::size_t kBatch = 256;
        double batch[kBatch];
        std::size_t at = first[i];
        std::size_t n = 0;
        double v = 0.0;
        while (piece.nextNumber(v)) {
            if (at + n == first[i + 1])
                return false; // more than counted: the count was wrong
            batch[n++] = v;
            if (n == kBatch) {
                store(at, batch, n);
                at += n;
                n = 0;
            }
        }
        store(at, batch, n);
        return at + n == first[i + 1] && piece.next().kind == TokenKind::End;
    });
    if (!read)
        return false;
    tokens.skipTo(run.data() + run.size(), newlines);
    g_split.fetch_add(1, std::memory_order_relaxed);
    return true;
}

bool readPolyFacesRunInPieces(MaTokenizer& tokens, PolyFaces& faces) {
    const std::string_view run = runText(tokens);
    if (run.empty() || pieceCount() < 2)
        return false;
    // A piece begins at a face record: a lone "f" ("fc" and "mf" are other records).
    const std::vector<std::string_view> pieces =
        cut(run, [](std::string_view text, std::size_t at) {
            return text[at] == 'f' && isBlank(text[at - 1]) && at + 1 < text.size() &&
                   isBlank(text[at + 1]);
        });
    if (pieces.size() < 2)
        return false;
    std::vector<PolyFaces> results(pieces.size());
    std::uint32_t newlines = 0;
    const bool read = readPieces(pieces, newlines, [&](std::size_t i, MaTokenizer& piece) {
        MaTokenReader reader(piece);
        readPolyFaceRecords(reader, results[i], true);
        return true;
    });
    if (!read)
        return false;
    reserveFor(faces, results);
    for (const PolyFaces& piece : results)
        appendPolyFaces(faces, piece);
    tokens.skipTo(run.data() + run.size(), newlines);
    g_split.fetch_add(1, std::memory_order_relaxed);
    return true;
}

} // namespace vornexhost
