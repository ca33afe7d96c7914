// Referenced files ("file -r"): each is loaded into the scene under its namespace or rename
// prefix, with the references it makes in turn; the edits the referencing file recorded on its
// reference nodes are applied after the whole file has loaded.
#include <vornexhost/Data.h>
#include <vornexhost/FileText.h>
#include <vornexhost/MaStatements.h>
#include <vornexhost/Scene.h>

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace vornexhost {

namespace {

// A file referencing itself, or a chain this deep, is a mistake in the scene.
constexpr int kMaxReferenceDepth = 16;
// Referenced files are read whole; a larger one is refused rather than allocated.
constexpr std::uintmax_t kMaxReferenceBytes = std::uintmax_t(1) << 32;

bool readWholeFile(const std::filesystem::path& path, FileText& out) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) &&
           out.open(path.string(), kMaxReferenceBytes);
}

// The path as written, then relative to the referencing file's folder, then its file name in
// that folder (scenes moved between machines keep their references beside them).
bool findReference(const std::string& written, std::string_view referencingFile,
                   std::filesystem::path& found, FileText& text) {
    const std::filesystem::path path(written);
    const std::filesystem::path folder = std::filesystem::path(referencingFile).parent_path();
    std::vector<std::filesystem::path> candidates = {path};
    if (path.is_relative())
        candidates.push_back(folder / path);
    if (path.has_filename())
        candidates.push_back(folder / path.filename());
    for (const std::filesystem::path& candidate : candidates) {
        if (!candidate.empty() && readWholeFile(candidate, text)) {
            found = candidate;
            return true;
        }
    }
    return false;
}

bool isMayaAscii(std::string_view text) {
    return text.substr(0, 12) == "//Maya ASCII";
}

// A name for a generated statement: quoted, with quotes and backslashes escaped.
std::string quotedName(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

bool isWholeNumber(std::string_view text, std::uint64_t& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// One piece of a reference-edit list: a bare word (edit kinds and counts) or a string, and
// whether it starts its line (every edit does).
struct EditPiece {
    std::string text;
    bool word = false;
    bool startsLine = false;
};

// The statement making one edit, or empty for kinds the stand-in does not apply.
std::string editStatement(const std::vector<EditPiece>& pieces, std::size_t first,
                          std::size_t end) {
    std::vector<std::string_view> fields;
    for (std::size_t i = first + 1; i < end; ++i)
        if (!pieces[i].word)
            fields.push_back(pieces[i].text);
    const std::string_view kind = pieces[first].text;
    if (kind == "2" && fields.size() == 3 && !fields[1].empty()) {
        const std::string dot = fields[1].front() == '.' ? "" : ".";
        return "setAttr " + quotedName(std::string(fields[0]) + dot + std::string(fields[1])) +
               " " + std::string(fields[2]) + ";\n";
    }
    if (kind == "3" && fields.size() >= 2)
        return "connectAttr " + quotedName(fields[0]) + " " + quotedName(fields[1]) + " " +
               std::string(fields.size() > 2 ? fields[2] : "") + ";\n";
    if (kind == "0" && fields.size() >= 2)
        return "parent " + std::string(fields.size() > 2 ? fields[2] : "") + " " +
               quotedName(fields[0]) + (fields[1].empty() ? " -w" : " " + quotedName(fields[1])) +
               ";\n";
    return {};
}

} // namespace

std::string MaStatements::qualify(std::string_view name) const {
    if (m_qualifier.empty() || name.empty() || name.front() == ':')
        return std::string(name); // the root namespace holds the scene's own default nodes
    std::string out;
    out.reserve(name.size() + m_qualifier.size() * 2);
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = name.find('|', start);
        const std::string_view part = name.substr(start, bar - start);
        if (!part.empty())
            out.append(m_qualifier).append(part);
        if (bar == std::string_view::npos)
            return out;
        out += '|';
        start = bar + 1;
    }
}

std::string MaStatements::qualifyPlug(const std::string& plugText) const {
    if (m_qualifier.empty() || plugText.empty() || plugText.front() == '.')
        return plugText;
    const std::size_t dot = plugText.find('.');
    if (dot == std::string::npos)
        return qualify(plugText);
    return qualify(std::string_view(plugText).substr(0, dot)) + plugText.substr(dot);
}

void MaStatements::loadReference(const std::string& path, const std::string& namespaceName,
                                 const std::string& prefix, const std::string& referenceNode,
                                 std::uint32_t line) {
    if (m_depth + 1 > kMaxReferenceDepth) {
        warn(line, "reference \"" + path + "\" is nested " + std::to_string(m_depth + 1) +
                       " deep (a file referencing itself?); its nodes are missing from the scene");
        return;
    }
    std::filesystem::path found;
    FileText file;
    if (!findReference(path, m_label, found, file)) {
        warn(line, "reference \"" + path +
                       "\" is not found as written, nor beside the scene; its nodes are missing "
                       "from the scene");
        return;
    }
    const std::string_view text = file.text();
    if (!isMayaAscii(text)) {
        warn(line, "reference \"" + path + "\" (" + found.string() +
                       ") is not a Maya ASCII file; its nodes are missing from the scene");
        return;
    }
    // Without a namespace or prefix the host names the namespace after the file, and the
    // reference node after the namespace.
    std::string own = prefix.empty() ? namespaceName : prefix;
    if (own.empty())
        own = found.stem().string();
    const std::string node = referenceNode.empty() ? own + "RN" : referenceNode;
    const std::string qualifier = m_qualifier + own + (prefix.empty() ? ":" : "_");
    // The referenced file's units are its own; the referencing file's come back afterwards.
    const Units units = m_scene.units;
    try {
        MaStatements nested(m_scene, found.string(), text, m_result, qualifier, m_depth + 1);
        nested.run();
    } catch (const MaSyntaxError& e) {
        warn(line, "reference \"" + path + "\" stops at " + found.string() + ":" +
                       std::to_string(e.line) + ": " + e.reason +
                       "; its later nodes are missing from the scene");
    }
    m_scene.units = units;
    m_loadedReferences.push_back(node);
}

std::shared_ptr<Data> MaStatements::readReferenceEdits() {
    auto data = std::make_shared<Data>(DataKind::Raw);
    std::vector<EditPiece> pieces;
    std::uint32_t lastLine = m_read.statementLine();
    while (m_tokens.peek().kind != TokenKind::Semicolon) {
        const Token t = next();
        if (t.kind != TokenKind::Word && t.kind != TokenKind::String) {
            lastLine = t.line;
            continue;
        }
        std::string piece;
        MaTokenizer::unescape(t, piece);
        data->strings.push_back(piece);
        pieces.push_back({std::move(piece), t.kind == TokenKind::Word, t.line != lastLine});
        lastLine = t.line;
    }
    // The reference node, then per reference node: its name, a count and that many edits,
    // each starting its own line with its kind.
    std::size_t i = pieces.empty() || pieces[0].word ? 0 : 1;
    while (i + 1 < pieces.size() && !pieces[i].word && pieces[i + 1].word) {
        const std::string& group = pieces[i].text;
        std::uint64_t count = 0;
        if (!isWholeNumber(pieces[i + 1].text, count))
            break;
        i += 2;
        for (std::uint64_t e = 0; e < count && i < pieces.size(); ++e) {
            if (!pieces[i].word || !pieces[i].startsLine)
                return data; // not a list this reader understands: the edits are left out
            std::size_t end = i + 1;
            while (end < pieces.size() &&
                   !(pieces[end].startsLine &&
                     (pieces[end].word ||
                      (e + 1 == count && end + 1 < pieces.size() && pieces[end + 1].word))))
                ++end;
            if (std::string statement = editStatement(pieces, i, end); !statement.empty())
                m_referenceEdits.emplace_back(group, std::move(statement));
            i = end;
        }
    }
    return data;
}

void MaStatements::applyReferenceEdits() {
    // Edits of a reference that could not be loaded name nodes that are not there; that
    // reference has been reported already.
    std::string text;
    for (const auto& [group, statement] : m_referenceEdits)
        if (std::find(m_loadedReferences.begin(), m_loadedReferences.end(), group) !=
            m_loadedReferences.end())
            text += statement;
    m_referenceEdits.clear();
    if (text.empty())
        return;
    try {
        MaStatements edits(m_scene, m_label + " (reference edits)", text, m_result, m_qualifier,
                           m_depth);
        edits.run();
    } catch (const MaSyntaxError& e) {
        warn(m_read.statementLine(), "a reference edit is malformed: " + e.reason);
    }
}

} // namespace vornexhost
