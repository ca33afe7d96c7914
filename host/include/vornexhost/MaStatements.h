#pragma once
// The statement handlers of the Maya ASCII loader and the state they share.
#include <vornexhost/Data.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MaTokenReader.h>
#include <vornexhost/MaTokenizer.h>
#include <vornexhost/PlugPath.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vornexhost {

class Node;
class Scene;
struct Units;

class MaStatements {
public:
    // `qualifier` is put before every node name of the text ("ns:" for a namespace, "pre_" for
    // a rename prefix; empty for the scene's own file); `depth` counts the references above.
    MaStatements(Scene& scene, std::string_view fileLabel, std::string_view text,
                 MaLoadResult& result, std::string qualifier = {}, int depth = 0);

    // Runs every statement; throws MaSyntaxError on malformed text.
    void run();

private:
    // Statement handlers; each consumes its statement up to and including the ';'.
    void requires_();
    void currentUnit();
    void fileInfo();
    void file();
    void createNode();
    void rename();
    void setAttr();
    // Consumes setAttr's flags (-s N, -k on, -l on, -cb on, -ch N, -av, -ca, -c); returns the
    // element count of -s, 0 without one.
    std::uint64_t setAttrFlags();
    void addAttr();
    void connectAttr(bool connect);
    void parent();
    void select();
    void lockNode();
    void dataStructure();
    void skipStatement();

    // References: loads a "file -r" file into the scene under its namespace or prefix; keeps
    // the edits a reference node records, applied once the whole file has loaded.
    void loadReference(const std::string& path, const std::string& namespaceName,
                       const std::string& prefix, const std::string& referenceNode,
                       std::uint32_t line);
    std::shared_ptr<Data> readReferenceEdits();
    void applyReferenceEdits();
    // A node name (or DAG path) of this file as the scene knows it.
    std::string qualify(std::string_view name) const;
    std::string qualifyPlug(const std::string& plugText) const;

    // setAttr value forms.
    void setRange(const ResolvedPlug& target, std::string_view type);
    void setPackedRange(const ResolvedPlug& target, std::string_view type);
    void setSparseArrays(const ResolvedPlug& target);
    void setSingle(const PlugAddress& target, std::string_view type);
    void setNumbers(const PlugAddress& target, const std::vector<double>& values);
    // Reads the plain numbers up to the ';' into m_numbers.
    void readNumbersToEnd();
    std::shared_ptr<Data> readTyped(std::string_view type, const Attribute* attribute);
    std::shared_ptr<Data> readPolyFaces(std::uint64_t expectedFaces);
    std::shared_ptr<Data> readNurbsCurve();
    std::shared_ptr<Data> readRaw();
    void readString(std::string& out);

    // Token helpers, with the statement's error texts.
    Token next() { return m_read.next(); }
    Token expect(TokenKind kind, const char* what) { return m_read.expect(kind, what); }
    std::string expectString(const char* what) { return m_read.expectString(what); }
    double expectNumber(const char* what) { return m_read.expectNumber(what); }
    std::uint64_t expectCount(const char* what, std::uint64_t perItemBytes) {
        return m_read.expectCount(what, perItemBytes);
    }
    void expectEnd() { m_read.expectEnd(); }
    // Collects the rest of the statement: flags with their optional argument, and the
    // remaining words and strings in order. A flag takes the word after it unless it is one
    // of `switches`; it takes a string only when `flagsTakeStrings`.
    struct Arguments {
        std::vector<std::pair<std::string, std::string>> flags;
        std::vector<std::string> values;
        const std::string* flag(std::string_view shortName, std::string_view longName = {}) const;
        bool has(std::string_view shortName, std::string_view longName = {}) const;
    };
    Arguments arguments(bool flagsTakeStrings,
                        std::initializer_list<std::string_view> switches = {});

    [[noreturn]] void fail(const std::string& reason) const { m_read.fail(reason); }
    void warn(std::uint32_t line, const std::string& text);
    Node* nodeNamed(const std::string& name, std::uint32_t line);
    bool resolve(const std::string& plugText, bool create, ResolvedPlug& out, std::uint32_t line);

    Scene& m_scene;
    std::string m_label;
    MaTokenizer m_tokens;
    MaTokenReader m_read{m_tokens};
    MaLoadResult& m_result;
    Node* m_current = nullptr;
    std::string m_scratch;
    std::vector<double> m_numbers;
    PolyFaces m_faces;
    // The array the last "setAttr -s N" named whole, and N; cleared once its room is made.
    PlugAddress m_sizedArray;
    std::uint64_t m_sizedCount = 0;
    std::string m_qualifier;
    int m_depth = 0;
    // Reference nodes ("-rfn") whose files were loaded, and the edits recorded for any
    // reference: the reference node's name and the statement that makes the edit.
    std::vector<std::string> m_loadedReferences;
    std::vector<std::pair<std::string, std::string>> m_referenceEdits;
};

} // namespace vornexhost
