// The stand-in's own building blocks: tokenizer, element arrays, names (the lowest free number
// after the stem, through renames), units.
#include <vornexhost/AttributeFactory.h>
#include <vornexhost/MaTokenizer.h>
#include <vornexhost/NameMatch.h>
#include <vornexhost/Node.h>
#include <vornexhost/NodeType.h>
#include <vornexhost/PlugStore.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Units.h>

#include <fast_float/fast_float.h>
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace vornexhost {
namespace {

std::vector<std::string> kinds(std::string_view text) {
    MaTokenizer t(text);
    std::vector<std::string> out;
    for (Token k = t.next(); k.kind != TokenKind::End; k = t.next()) {
        std::string s;
        MaTokenizer::unescape(k, s);
        const char* tag = k.kind == TokenKind::Word        ? "w:"
                          : k.kind == TokenKind::String    ? "s:"
                          : k.kind == TokenKind::Semicolon ? ";"
                                                           : "p";
        out.push_back(tag + s + "@" + std::to_string(k.line));
    }
    return out;
}

TEST(Tokenizer, WordsStringsPunctuationCommentsAndLines) {
    EXPECT_EQ(kinds("setAttr \".a\" -type \"string\" \"x\\\"y\\\\z\\n\";\r\n// note\n  1e-3 -.5;"),
              (std::vector<std::string>{"w:setAttr@1", "s:.a@1", "w:-type@1", "s:string@1",
                                        "s:x\"y\\z\n@1", ";@1", "w:1e-3@3", "w:-.5@3", ";@3"}));
    EXPECT_EQ(kinds("{\"a\",\"b\"} (\n\"c\"\n+ \"d\")"),
              (std::vector<std::string>{"p@1", "s:a@1", "p@1", "s:b@1", "p@1", "p@1", "s:c@2",
                                        "w:+@3", "s:d@3", "p@3"}));
    EXPECT_EQ(kinds("/* two\nlines */ x"), (std::vector<std::string>{"w:x@2"}));
    EXPECT_THROW(kinds("\"open"), MaSyntaxError);
    EXPECT_THROW(kinds("/* open"), MaSyntaxError);
}

// The fast paths themselves: NumberFastPathsReadWhatTheGeneralParsersRead.
TEST(Tokenizer, ValueWordsAreNumbersAndCountsAreNeverNegative) {
    Token word;
    word.kind = TokenKind::Word;
    double d = 0.0;
    for (const char* yes : {"yes", "on", "true"}) {
        word.text = yes;
        ASSERT_TRUE(parseNumber(word, d)) << yes;
        EXPECT_EQ(d, 1.0) << yes;
    }
    word.text = "maybe";
    EXPECT_FALSE(parseNumber(word, d));
    std::uint64_t n = 0;
    word.text = "-3";
    EXPECT_FALSE(parseCount(word, n));
}

// The general parsers over one whole token: what the fast paths must read, bit for bit.
bool referenceNumber(std::string_view token, double& out) {
    const char* first = token.data();
    const char* last = first + token.size();
    if (first < last && *first == '+')
        ++first;
    const auto r = fast_float::from_chars(first, last, out);
    return r.ec == std::errc() && r.ptr == last;
}

bool referenceInteger(std::string_view token, std::int64_t& out) {
    const auto r = std::from_chars(token.data(), token.data() + token.size(), out);
    return r.ec == std::errc() && r.ptr == token.data() + token.size() && !token.empty();
}

TEST(Tokenizer, NumberFastPathsReadWhatTheGeneralParsersRead) {
    // Signed runs of 1 to 20 digits, some with a fraction, an exponent or a stray character
    // (0xFA, octal 372, carries when eight characters are added up as one word), ending the
    // text or followed by a blank or ';'.
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    auto random = [&](std::uint64_t n) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return (state >> 33) % n;
    };
    const char* tails[] = {"", "", "", ".25", "e-3", "x", "\3727", "-1"};
    for (int round = 0; round < 20000; ++round) {
        std::string token = random(3) == 0 ? "-" : (random(8) == 0 ? "+" : "");
        for (std::uint64_t d = 0, n = 1 + random(20); d < n; ++d)
            token += static_cast<char>('0' + random(10));
        token += tails[random(8)];
        for (const char* after : {"", " ", "\n", ";"}) {
            const std::string text = token + after;
            double expected = 0.0;
            double got = 0.0;
            const bool isNumber = referenceNumber(token, expected);
            MaTokenizer numbers(text);
            ASSERT_EQ(numbers.nextNumber(got), isNumber) << text;
            if (isNumber) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
                    << text;
            }
            std::int64_t expectedInteger = 0;
            std::int64_t gotInteger = 0;
            const bool isInteger = referenceInteger(token, expectedInteger);
            MaTokenizer integers(text);
            ASSERT_EQ(integers.nextInteger(gotInteger), isInteger) << text;
            if (isInteger) {
                ASSERT_EQ(gotInteger, expectedInteger) << text;
            }
            // Whatever the fast path took, the token after it is the same.
            const Token rest = (isNumber ? numbers : integers).next();
            EXPECT_EQ(rest.kind, isNumber || isInteger
                                     ? (*after == ';' ? TokenKind::Semicolon : TokenKind::End)
                                     : TokenKind::Word)
                << text;
        }
    }
}

TEST(ElementArrays, KeepLogicalOrderWhateverTheInsertionOrder) {
    auto weights = arrayOf(makeNumeric("weights", "w", numeric::kDouble, 0.5));
    ArrayStore a(*weights);
    EXPECT_EQ(a.packing, ArrayStore::Packing::Double);
    a.setNumber(a.obtain(9), 0, 9.0);
    a.setNumber(a.obtain(2), 0, 2.0);
    a.setNumber(a.obtain(5), 0, 5.0);
    const std::size_t defaulted = a.obtain(7);
    EXPECT_EQ(a.logical, (std::vector<std::uint32_t>{2, 5, 7, 9}));
    EXPECT_EQ(a.doubles, (std::vector<double>{2, 5, 0.5, 9}));
    EXPECT_EQ(a.number(defaulted, 0), 0.5);
    EXPECT_EQ(a.find(5), 1);
    EXPECT_EQ(a.find(6), -1);
    EXPECT_EQ(a.find(100), -1);
    a.removeAt(1);
    EXPECT_EQ(a.logical, (std::vector<std::uint32_t>{2, 7, 9}));
    // A range overlapping existing elements inserts only what is missing.
    const std::size_t first = a.obtainRange(6, 3);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(a.logical, (std::vector<std::uint32_t>{2, 6, 7, 8, 9}));
    EXPECT_EQ(a.doubles[4], 9.0);
    // A range appended after the last element starts from every leaf's default.
    auto colours = arrayOf(makeCompound("c", "c",
                                        {makeNumeric("r", "r", numeric::kFloat, 0.25),
                                         makeNumeric("g", "g", numeric::kFloat, 0.5),
                                         makeNumeric("b", "b", numeric::kFloat, 1.0)}));
    ArrayStore c(*colours);
    c.setNumber(c.obtain(0), 1, 9.0);
    EXPECT_EQ(c.obtainRange(1, 3), 1u);
    EXPECT_EQ(c.floats,
              (std::vector<float>{0.25f, 9, 1, 0.25f, 0.5f, 1, 0.25f, 0.5f, 1, 0.25f, 0.5f, 1}));
    // Integer arrays clamp what does not fit.
    auto flags = arrayOf(makeNumeric("f", "f", numeric::kLong));
    ArrayStore ints(*flags);
    EXPECT_EQ(ints.packing, ArrayStore::Packing::Int);
    ints.setNumber(ints.obtain(0), 0, 1.0e300);
    ints.setNumber(ints.obtain(1), 0, -1.0e300);
    EXPECT_EQ(ints.ints, (std::vector<std::int32_t>{2147483647, -2147483647 - 1}));
    // Arrays of anything other than numbers keep general elements.
    auto names = arrayOf(makeTyped("n", "n", DataKind::String));
    EXPECT_EQ(ArrayStore(*names).packing, ArrayStore::Packing::None);
    auto mixed = arrayOf(makeCompound(
        "m", "m",
        {makeNumeric("a", "a", numeric::kFloat), makeNumeric("b", "b", numeric::kDouble)}));
    EXPECT_EQ(ArrayStore(*mixed).packing, ArrayStore::Packing::Double);
}

TEST(SceneNames, ClashesRenameAndPathsDisambiguate) {
    Scene scene;
    const NodeType& transform = *NodeTypeRegistry::instance().find("transform");
    const NodeType& lambert = *NodeTypeRegistry::instance().find("lambert");
    Node* a = scene.createNode(transform, "a", nullptr);
    Node* x1 = scene.createNode(transform, "x", a);
    Node* b = scene.createNode(transform, "b", nullptr);
    Node* x2 = scene.createNode(transform, "x", b);
    // DAG siblings and dependency nodes need unique names; cousins may share one.
    EXPECT_EQ(x2->name(), "x");
    EXPECT_EQ(scene.createNode(transform, "x", b)->name(), "x1");
    EXPECT_EQ(scene.createNode(lambert, "x", nullptr)->name(), "x2");
    EXPECT_EQ(scene.createNode(lambert, "", nullptr)->name(), "lambert2");
    bool ambiguous = false;
    EXPECT_EQ(scene.findNode("x", &ambiguous), nullptr);
    EXPECT_TRUE(ambiguous);
    EXPECT_EQ(scene.findNode("b|x"), x2);
    EXPECT_EQ(scene.findNode("|a|x"), x1);
    EXPECT_EQ(scene.findNode(":lambert1")->type().name, "lambert");
    EXPECT_EQ(scene.findNode("|x"), nullptr);
    scene.rename(*b, "a");
    EXPECT_EQ(b->name(), "a1");
    EXPECT_EQ(scene.uniqueName("node12"), "node12");
    // No node may become its own ancestor.
    EXPECT_FALSE(scene.parentNode(*a, *x1, false));
    EXPECT_TRUE(scene.parentNode(*x1, *b, false));
    EXPECT_TRUE(a->children.empty());
    EXPECT_EQ(x1->parents, (std::vector<Node*>{b}));
}

TEST(NameMatching, WildcardsPathsAndNamespaces) {
    EXPECT_TRUE(wildcardMatch("*", ""));
    EXPECT_TRUE(wildcardMatch("a*c", "abbbc"));
    EXPECT_TRUE(wildcardMatch("a?c", "abc"));
    EXPECT_FALSE(wildcardMatch("a*c", "abcd"));
    EXPECT_TRUE(wildcardMatch("*:shape*", "ns:shape1"));
    Scene scene;
    const NodeType& transform = *NodeTypeRegistry::instance().find("transform");
    Node* g = scene.createNode(transform, "ns:group", nullptr);
    Node* c = scene.createNode(transform, "ns:child", g);
    const NodePath path{g, c};
    EXPECT_TRUE(matchesPath(path, "ns:child"));
    EXPECT_TRUE(matchesPath(path, "ns:group|ns:child"));
    EXPECT_TRUE(matchesPath(path, "|ns:group|ns:*"));
    EXPECT_FALSE(matchesPath(path, "|ns:child"));
    EXPECT_EQ(nodesMatching(scene, "ns:*").size(), 2u);
    EXPECT_EQ(nodesMatching(scene, "*|ns:child"), (std::vector<Node*>{c}));
}

TEST(UnitsTable, EveryUnitNameConverts) {
    Units u;
    EXPECT_NEAR(u.toInternal(AttrUnit::Angle, 180.0), std::numbers::pi, 1e-12);
    ASSERT_TRUE(u.setLinear("mm"));
    EXPECT_DOUBLE_EQ(u.toInternal(AttrUnit::Distance, 10.0), 1.0);
    ASSERT_TRUE(u.setLinear("foot"));
    EXPECT_DOUBLE_EQ(u.toInternal(AttrUnit::Distance, 1.0), 30.48);
    ASSERT_TRUE(u.setLinear("m"));
    EXPECT_DOUBLE_EQ(u.toUi(AttrUnit::Distance, 250.0), 2.5);
    ASSERT_TRUE(u.setAngle("rad"));
    EXPECT_DOUBLE_EQ(u.toInternal(AttrUnit::Angle, 2.0), 2.0);
    ASSERT_TRUE(u.setTime("game"));
    EXPECT_DOUBLE_EQ(u.toInternal(AttrUnit::Time, 15.0), 1.0);
    ASSERT_TRUE(u.setTime("29.97fps"));
    EXPECT_NEAR(u.framesPerSecond, 29.97003, 1e-5);
    EXPECT_FALSE(u.setTime("fortnight"));
    EXPECT_FALSE(u.setAngle("grad"));
    EXPECT_DOUBLE_EQ(u.toInternal(AttrUnit::None, 7.0), 7.0);
}

// The rule as written: `base` when free, else the stem (trailing digits dropped) with the
// lowest number from 1 that no node has.
std::string lowestFree(const std::set<std::string>& taken, const std::string& base) {
    if (!taken.count(base))
        return base;
    std::string stem = base;
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.pop_back();
    for (unsigned n = 1;; ++n)
        if (!taken.count(stem + std::to_string(n)))
            return stem + std::to_string(n);
}

TEST(SceneNames, NumbersFollowTheLowestFreeRuleThroughRenames) {
    Scene scene;
    const NodeType& lambert = *NodeTypeRegistry::instance().find("lambert");
    std::set<std::string> taken;
    for (const auto& node : scene.nodes())
        taken.insert(node->name());
    std::vector<Node*> made;
    std::mt19937 random(7);
    const std::vector<std::string> requests = {"", "", "lambert3", "a", "a", "a7", "b2", "a"};
    for (int step = 0; step < 3000; ++step) {
        if (!made.empty() && random() % 3 == 0) {
            // Rename a node: to a fresh name (freeing its number) or to a clashing one.
            Node* node = made[random() % made.size()];
            const std::string wanted = random() % 2 ? "free" + std::to_string(step) : "a";
            taken.erase(node->name());
            const std::string expected = lowestFree(taken, wanted);
            scene.rename(*node, wanted);
            ASSERT_EQ(node->name(), expected) << "step " << step;
            taken.insert(expected);
            continue;
        }
        const std::string& request = requests[random() % requests.size()];
        const std::string expected = lowestFree(taken, request.empty() ? "lambert1" : request);
        Node* node = scene.createNode(lambert, request, nullptr);
        ASSERT_EQ(node->name(), expected) << "step " << step;
        taken.insert(expected);
        made.push_back(node);
    }
}

} // namespace
} // namespace vornexhost
