#include <vornexhost/MaPolyFaces.h>

#include <string>

namespace vornexhost {

namespace {

void appendCornerIds(CornerIds& into, const CornerIds& piece) {
    const auto runs = static_cast<std::uint32_t>(into.runs.size());
    const auto ids = static_cast<std::uint32_t>(into.ids.size());
    for (const std::uint32_t r : piece.firstRun)
        into.firstRun.push_back(r + runs);
    for (CornerIds::Run r : piece.runs) {
        r.first += ids;
        into.runs.push_back(r);
    }
    into.ids.insert(into.ids.end(), piece.ids.begin(), piece.ids.end());
}

} // namespace

void readPolyFaceRecords(MaTokenReader& read, PolyFaces& f, bool toEndOfText) {
    MaTokenizer& tokens = read.tokens();
    auto readIds = [&](std::vector<std::int32_t>& ids, std::uint64_t n) {
        for (std::uint64_t i = 0; i < n; ++i) {
            std::int64_t v = 0;
            if (!tokens.nextInteger(v)) {
                const Token t = read.next();
                throw MaSyntaxError{t.line, "bad face index '" + std::string(t.text) + "'"};
            }
            if (v < -2147483648LL || v > 2147483647LL)
                read.fail("face index out of range");
            ids.push_back(static_cast<std::int32_t>(v));
        }
    };
    auto loopSize = [&]() -> std::uint64_t {
        if (f.loopFirstEdge.empty())
            read.fail("polyFaces data must start with a face (f)");
        return f.edges.size() - f.loopFirstEdge.back();
    };
    while (true) {
        const TokenKind next = tokens.peek().kind;
        if (next == TokenKind::Semicolon || (toEndOfText && next == TokenKind::End))
            return;
        const Token t = read.expect(TokenKind::Word, "a polyFaces record");
        const std::string_view tag = t.text;
        if (tag == "f" || tag == "h") {
            if (tag == "h" && f.faceFirstLoop.empty())
                read.fail("polyFaces hole (h) before any face");
            const std::uint64_t n = read.expectCount("a face's edge count", 2);
            if (tag == "f")
                f.faceFirstLoop.push_back(static_cast<std::uint32_t>(f.loopFirstEdge.size()));
            f.loopFirstEdge.push_back(static_cast<std::uint32_t>(f.edges.size()));
            f.uvs.firstRun.push_back(static_cast<std::uint32_t>(f.uvs.runs.size()));
            f.colors.firstRun.push_back(static_cast<std::uint32_t>(f.colors.runs.size()));
            readIds(f.edges, n);
        } else if (tag == "mu" || tag == "mc" || tag == "fc" || tag == "mf") {
            CornerIds& target = tag == "mu" || tag == "mf" ? f.uvs : f.colors;
            CornerIds::Run run;
            if (tag == "mu" || tag == "mc") {
                const std::uint64_t set = read.expectCount("a UV or colour set index", 2);
                if (set > 65535)
                    read.fail("set index " + std::to_string(set) + " out of range");
                run.set = static_cast<std::int32_t>(set);
            }
            const std::uint64_t n = read.expectCount("a UV or colour id count", 2);
            if (n != loopSize())
                read.fail("polyFaces " + std::string(tag) + " gives " + std::to_string(n) +
                          " ids for a loop of " + std::to_string(loopSize()) + " edges");
            run.first = static_cast<std::uint32_t>(target.ids.size());
            target.runs.push_back(run);
            readIds(target.ids, n);
        } else {
            read.fail("unknown polyFaces record \"" + std::string(tag) + "\"");
        }
    }
}

void appendPolyFaces(PolyFaces& f, const PolyFaces& piece) {
    const auto loops = static_cast<std::uint32_t>(f.loopFirstEdge.size());
    const auto edges = static_cast<std::uint32_t>(f.edges.size());
    for (const std::uint32_t l : piece.faceFirstLoop)
        f.faceFirstLoop.push_back(l + loops);
    for (const std::uint32_t e : piece.loopFirstEdge)
        f.loopFirstEdge.push_back(e + edges);
    f.edges.insert(f.edges.end(), piece.edges.begin(), piece.edges.end());
    appendCornerIds(f.uvs, piece.uvs);
    appendCornerIds(f.colors, piece.colors);
}

void closePolyFaces(PolyFaces& f) {
    f.faceFirstLoop.push_back(static_cast<std::uint32_t>(f.loopFirstEdge.size()));
    f.loopFirstEdge.push_back(static_cast<std::uint32_t>(f.edges.size()));
    f.uvs.firstRun.push_back(static_cast<std::uint32_t>(f.uvs.runs.size()));
    f.colors.firstRun.push_back(static_cast<std::uint32_t>(f.colors.runs.size()));
}

} // namespace vornexhost
