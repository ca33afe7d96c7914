#include <vornexhost/AttributeFactory.h>
#include <vornexhost/DagPaths.h>
#include <vornexhost/MaStatements.h>
#include <vornexhost/NameMatch.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <algorithm>

namespace vornexhost {

namespace {

constexpr std::size_t kMaxWarnings = 1000;

bool isEnd(const Token& t) {
    return t.kind == TokenKind::Semicolon || t.kind == TokenKind::End;
}

} // namespace

MaLoadResult loadMayaAscii(Scene& scene, std::string_view fileLabel, std::string_view text) {
    MaLoadResult result;
    try {
        MaStatements statements(scene, fileLabel, text, result);
        statements.run();
    } catch (const MaSyntaxError& e) {
        result.ok = false;
        result.error = std::string(fileLabel) + ":" + std::to_string(e.line) + ": " + e.reason;
    }
    return result;
}

MaStatements::MaStatements(Scene& scene, std::string_view fileLabel, std::string_view text,
                           MaLoadResult& result, std::string qualifier, int depth)
    : m_scene(scene), m_label(fileLabel), m_tokens(text), m_result(result),
      m_qualifier(std::move(qualifier)), m_depth(depth) {}

void MaStatements::warn(std::uint32_t line, const std::string& text) {
    if (m_result.warnings.size() < kMaxWarnings)
        m_result.warnings.push_back(m_label + ":" + std::to_string(line) + ": " + text);
    else if (m_result.warnings.size() == kMaxWarnings)
        m_result.warnings.push_back(m_label + ": further warnings not shown");
}

const std::string* MaStatements::Arguments::flag(std::string_view shortName,
                                                 std::string_view longName) const {
    for (const auto& [name, value] : flags)
        if (name == shortName || (!longName.empty() && name == longName))
            return &value;
    return nullptr;
}

bool MaStatements::Arguments::has(std::string_view shortName, std::string_view longName) const {
    return flag(shortName, longName) != nullptr;
}

MaStatements::Arguments MaStatements::arguments(bool flagsTakeStrings,
                                                std::initializer_list<std::string_view> switches) {
    Arguments args;
    while (true) {
        Token t = next();
        if (t.kind == TokenKind::Semicolon)
            return args;
        if (isFlag(t)) {
            std::string name(t.text.substr(1));
            std::string value;
            const Token& p = m_tokens.peek();
            const bool isSwitch =
                std::find(switches.begin(), switches.end(), name) != switches.end();
            if (!isSwitch && ((p.kind == TokenKind::Word && !isFlag(p)) ||
                              (p.kind == TokenKind::String && flagsTakeStrings))) {
                const Token v = next();
                MaTokenizer::unescape(v, value);
            }
            args.flags.emplace_back(std::move(name), std::move(value));
            continue;
        }
        if (t.kind == TokenKind::Word || t.kind == TokenKind::String) {
            std::string value;
            MaTokenizer::unescape(t, value);
            args.values.push_back(std::move(value));
        }
    }
}

void MaStatements::skipStatement() {
    while (!isEnd(next())) {
    }
}

Node* MaStatements::nodeNamed(const std::string& written, std::uint32_t line) {
    const std::string qualified = m_qualifier.empty() ? std::string() : qualify(written);
    const std::string& name = m_qualifier.empty() ? written : qualified;
    bool ambiguous = false;
    Node* node = m_scene.findNode(name, &ambiguous);
    if (!node && !ambiguous && name.size() > 1 && name.front() == ':' &&
        name.find_first_of("|:", 1) == std::string::npos) {
        // ":name" is a node every scene has; one the stand-in does not know is made generic.
        return m_scene.createNode(*NodeTypeRegistry::instance().generic("unknown", false),
                                  name.substr(1), nullptr);
    }
    if (!node)
        warn(line, ambiguous ? "more than one node is named \"" + name + "\""
                             : "no node named \"" + name + "\"");
    return node;
}

bool MaStatements::resolve(const std::string& writtenPlug, bool create, ResolvedPlug& out,
                           std::uint32_t line) {
    const std::string qualified = m_qualifier.empty() ? std::string() : qualifyPlug(writtenPlug);
    const std::string& plugText = m_qualifier.empty() ? writtenPlug : qualified;
    Node* node = m_current;
    std::string_view attr = plugText;
    if (plugText.empty() || plugText.front() != '.') {
        const auto dot = plugText.find('.');
        if (dot == std::string::npos) {
            warn(line, "\"" + plugText + "\" names no attribute");
            return false;
        }
        node = nodeNamed(writtenPlug.substr(0, writtenPlug.find('.')), line);
        attr = std::string_view(plugText).substr(dot);
    } else if (!node) {
        warn(line, "attribute \"" + plugText + "\" given before any node");
        return false;
    }
    if (!node)
        return false;
    std::string error;
    const bool ok = resolvePlugPath(*node, attr, create, out, error);
    if (ok && out.instanceLevel >= 0 && node != m_current) {
        // "|a|shape.iog" names the instance of shape under a.
        const std::string_view nodeText = std::string_view(plugText).substr(0, plugText.find('.'));
        if (nodeText.find('|') != std::string_view::npos) {
            const std::vector<NodePath> paths = allPathsTo(node);
            for (std::size_t i = 0; i < paths.size(); ++i)
                if (matchesPath(paths[i], nodeText))
                    out.plug.indices[static_cast<std::size_t>(out.instanceLevel)] =
                        static_cast<std::int32_t>(i);
        }
    }
    if (!ok) {
        warn(line, error + " in \"" + node->name() +
                       plugText.substr(plugText.front() == '.' ? 0 : plugText.find('.')) + "\"");
        return false;
    }
    return true;
}

void MaStatements::run() {
    while (true) {
        const Token t = m_tokens.next();
        if (t.kind == TokenKind::End) {
            applyReferenceEdits();
            return;
        }
        m_read.beginStatement(t.line);
        if (t.kind == TokenKind::Semicolon)
            continue;
        if (t.kind != TokenKind::Word)
            fail("a statement cannot begin with '" + std::string(t.text) + "'");
        const std::string_view cmd = t.text;
        if (cmd == "setAttr")
            setAttr();
        else if (cmd == "connectAttr")
            connectAttr(true);
        else if (cmd == "createNode")
            createNode();
        else if (cmd == "addAttr")
            addAttr();
        else if (cmd == "rename")
            rename();
        else if (cmd == "select")
            select();
        else if (cmd == "parent")
            parent();
        else if (cmd == "disconnectAttr")
            connectAttr(false);
        else if (cmd == "requires")
            requires_();
        else if (cmd == "currentUnit")
            currentUnit();
        else if (cmd == "fileInfo")
            fileInfo();
        else if (cmd == "file")
            file();
        else if (cmd == "lockNode")
            lockNode();
        else if (cmd == "dataStructure")
            dataStructure();
        else if (cmd == "relationship") {
            // Light and shadow linking: nothing the stand-in evaluates.
            skipStatement();
        } else {
            warn(t.line, "statement \"" + std::string(cmd) + "\" is not supported; skipped");
            skipStatement();
        }
    }
}

void MaStatements::requires_() {
    const Arguments args = arguments(true);
    // A referenced file's requirements and information are its own, not the scene's.
    if (args.values.size() >= 2 && m_depth == 0)
        m_scene.requirements.emplace_back(args.values[args.values.size() - 2], args.values.back());
}

void MaStatements::currentUnit() {
    const std::uint32_t line = m_read.statementLine();
    const Arguments args = arguments(true);
    if (const std::string* l = args.flag("l", "linear"); l && !m_scene.units.setLinear(*l))
        warn(line, "unknown linear unit \"" + *l + "\"; centimeters used");
    if (const std::string* a = args.flag("a", "angle"); a && !m_scene.units.setAngle(*a))
        warn(line, "unknown angular unit \"" + *a + "\"; degrees used");
    if (const std::string* t = args.flag("t", "time"); t && !m_scene.units.setTime(*t))
        warn(line, "unknown time unit \"" + *t + "\"; film used");
}

void MaStatements::fileInfo() {
    const Arguments args = arguments(false);
    if (args.values.size() >= 2 && m_depth == 0)
        m_scene.fileInfo.emplace_back(args.values[0], args.values[1]);
}

void MaStatements::file() {
    const std::uint32_t line = m_read.statementLine();
    const Arguments args = arguments(true, {"r", "reference", "i", "import", "f", "force"});
    // "file -rdi" only describes a reference; "file -r" loads one.
    if (args.has("r", "reference") && !args.values.empty()) {
        const std::string* type = args.flag("typ", "type");
        if (type && *type != "mayaAscii") {
            warn(line, "reference \"" + args.values.back() +
                           "\" cannot be loaded here; its nodes are missing from the scene");
            return;
        }
        const std::string* ns = args.flag("ns", "namespace");
        const std::string* prefix = args.flag("rpr", "renamingPrefix");
        const std::string* node = args.flag("rfn", "referenceNode");
        loadReference(args.values.back(), ns ? *ns : std::string(),
                      prefix ? *prefix : std::string(), node ? *node : std::string(), line);
    } else if (args.has("i", "import") && !args.values.empty()) {
        warn(line, "reference \"" + args.values.back() +
                       "\" cannot be loaded here; its nodes are missing from the scene");
    }
}

void MaStatements::createNode() {
    const std::uint32_t line = m_read.statementLine();
    const Token typeToken = next();
    if (typeToken.kind != TokenKind::Word && typeToken.kind != TokenKind::String)
        fail("createNode needs a node type");
    std::string typeName;
    MaTokenizer::unescape(typeToken, typeName);
    std::string name;
    std::string parentName;
    bool shared = false;
    while (true) {
        const Token t = next();
        if (t.kind == TokenKind::Semicolon)
            break;
        if (!isFlag(t))
            fail("unexpected '" + std::string(t.text) + "' in createNode");
        const std::string_view f = t.text.substr(1);
        if (f == "n" || f == "name")
            name = expectString("a node name after -n");
        else if (f == "p" || f == "parent")
            parentName = expectString("a parent name after -p");
        else if (f == "s" || f == "shared")
            shared = true;
        else if (f == "ss" || f == "skipSelect")
            continue;
        else
            warn(t.line, "createNode flag \"" + std::string(t.text) + "\" ignored");
    }
    NodeTypeRegistry& types = NodeTypeRegistry::instance();
    const NodeType* type = types.find(typeName);
    if (!type || type->name == "world")
        type = types.generic(typeName, !parentName.empty());
    if (shared && !name.empty()) {
        // A shared node is one the scene already has (a default node): reuse it, also when
        // a referenced file names it.
        if (Node* existing = m_scene.findNode(name);
            existing && existing->type().name == type->name) {
            existing->startupDefault = false;
            m_current = existing;
            return;
        }
    }
    if (!m_qualifier.empty() && !name.empty())
        name = qualify(name);
    Node* parentNode = nullptr;
    if (!parentName.empty()) {
        parentNode = nodeNamed(parentName, line);
        if (parentNode && !parentNode->isDag()) {
            warn(line, "parent \"" + parentName + "\" is not a DAG node");
            parentNode = nullptr;
        }
        if (!type->dag) {
            warn(line, "a \"" + typeName + "\" node cannot have a parent; -p ignored");
            parentNode = nullptr;
        }
    }
    m_current = m_scene.createNode(*type, name, parentNode);
}

void MaStatements::rename() {
    const std::uint32_t line = m_read.statementLine();
    const Arguments args = arguments(true);
    if (const std::string* uid = args.flag("uid", "uuid")) {
        if (m_current)
            m_current->uuid = *uid;
        return;
    }
    if (args.values.size() == 2) {
        if (Node* node = nodeNamed(args.values[0], line))
            m_scene.rename(*node, qualify(args.values[1]));
    } else if (args.values.size() == 1 && m_current) {
        m_scene.rename(*m_current, qualify(args.values[0]));
    } else {
        warn(line, "rename needs a node and a new name");
    }
}

void MaStatements::select() {
    const std::uint32_t line = m_read.statementLine();
    std::vector<std::string> names;
    bool noExpand = false;
    while (true) {
        const Token t = next();
        if (t.kind == TokenKind::Semicolon)
            break;
        if (isFlag(t)) {
            noExpand = noExpand || t.text == "-ne" || t.text == "-noExpand";
            continue;
        }
        std::string value;
        MaTokenizer::unescape(t, value);
        names.push_back(std::move(value));
    }
    if (noExpand) {
        // "select -ne :name" makes a node current for the statements after it. A default
        // node the stand-in does not know becomes a generic node.
        for (const std::string& written : names) {
            const std::string name = qualify(written);
            Node* node = m_scene.findNode(name);
            if (!node) {
                std::string_view plain = name;
                while (!plain.empty() && plain.front() == ':')
                    plain.remove_prefix(1);
                node = m_scene.createNode(*NodeTypeRegistry::instance().generic("unknown", false),
                                          std::string(plain), nullptr);
            }
            m_current = node;
        }
        return;
    }
    m_scene.selection.clear();
    for (const std::string& name : names)
        if (Node* node = nodeNamed(name, line))
            m_scene.selection.push_back(m_scene.handle(node));
}

void MaStatements::parent() {
    const std::uint32_t line = m_read.statementLine();
    const Arguments args =
        arguments(false, {"s", "shape", "nc", "noConnections", "r", "relative", "a", "absolute",
                          "add", "addObject", "w", "world", "rm", "removeObject"});
    const bool toWorld = args.has("w", "world");
    const bool addInstance = args.has("add", "addObject");
    if (args.values.empty() || (!toWorld && args.values.size() < 2)) {
        warn(line, "parent needs a child and a parent");
        return;
    }
    Node* newParent = toWorld ? m_scene.world() : nodeNamed(args.values.back(), line);
    if (!newParent)
        return;
    const std::size_t children = toWorld ? args.values.size() : args.values.size() - 1;
    for (std::size_t i = 0; i < children; ++i) {
        Node* child = nodeNamed(args.values[i], line);
        if (child && !m_scene.parentNode(*child, *newParent, addInstance))
            warn(line,
                 "cannot parent \"" + args.values[i] + "\" under \"" + args.values.back() + "\"");
    }
}

void MaStatements::lockNode() {
    const Arguments args = arguments(false);
    const std::string* lock = args.flag("l", "lock");
    const bool locked = !lock || lock->empty() || *lock == "1" || *lock == "on" || *lock == "true";
    if (args.values.empty()) {
        if (m_current)
            m_current->locked = locked;
        return;
    }
    for (const std::string& name : args.values)
        if (Node* node = m_scene.findNode(qualify(name)))
            node->locked = locked;
}

void MaStatements::dataStructure() {
    std::string text;
    while (true) {
        const Token t = next();
        if (t.kind == TokenKind::Semicolon)
            break;
        std::string piece;
        MaTokenizer::unescape(t, piece);
        if (!text.empty())
            text += ' ';
        text += piece;
    }
    m_scene.dataStructures.push_back(std::move(text));
}

namespace {

// An instanced attribute named without an index ("|a|shape.iog") stands for the element of
// the instance that the DAG path names; the plug path alone takes the first instance.
void pickInstanceElement(const std::string& plugText, ResolvedPlug& resolved) {
    PlugAddress& plug = resolved.plug;
    const std::size_t dot = plugText.find('.');
    if (!plug.node || !plug.node->isDag() || plug.indices.empty() || dot == std::string::npos ||
        !plug.chain().front()->instanced)
        return;
    const std::size_t end = plugText.find('.', dot + 1);
    const std::string_view first = std::string_view(plugText).substr(dot + 1, end - dot - 1);
    const std::string name = plugText.substr(0, dot);
    if (first.find('[') != std::string_view::npos || name.find('|') == std::string::npos)
        return;
    const std::vector<NodePath> paths = allPathsTo(plug.node);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string full = fullPathName(paths[i]);
        if (full == name || (full.size() > name.size() && name.front() != '|' &&
                             full.compare(full.size() - name.size(), name.size(), name) == 0 &&
                             full[full.size() - name.size() - 1] == '|')) {
            plug.indices[0] = static_cast<std::int32_t>(i);
            return;
        }
    }
}

} // namespace

void MaStatements::connectAttr(bool connect) {
    const std::uint32_t line = m_read.statementLine();
    const Arguments args = arguments(false, {"na", "nextAvailable", "f", "force"});
    if (args.values.size() != 2) {
        warn(line, std::string(connect ? "connectAttr" : "disconnectAttr") +
                       " needs a source and a destination");
        return;
    }
    ResolvedPlug src;
    ResolvedPlug dst;
    if (!resolve(args.values[0], true, src, line) || !resolve(args.values[1], true, dst, line))
        return;
    pickInstanceElement(qualifyPlug(args.values[0]), src);
    if (src.rangeLevel >= 0 || dst.rangeLevel >= 0) {
        warn(line, "a connection cannot use an index range");
        return;
    }
    if (!connect) {
        m_scene.disconnect(src.plug, dst.plug);
        return;
    }
    if (args.has("na", "nextAvailable") && dst.plug.isArrayPlug()) {
        // The next logical index after every stored or connected element.
        std::int64_t nextIndex = 0;
        if (const ArrayStore* a = arrayStoreOf(dst.plug, false); a && !a->logical.empty())
            nextIndex = std::int64_t(a->logical.back()) + 1;
        for (std::uint32_t i : dst.plug.node->connectionsIn) {
            const Connection& c = m_scene.connection(i);
            if (c.alive && c.destination.attribute == dst.plug.attribute &&
                c.destination.indices.size() == dst.plug.indices.size())
                nextIndex = std::max(nextIndex, std::int64_t(c.destination.indices.back()) + 1);
        }
        if (nextIndex > 0x7fffffff) {
            warn(line, "no index left in \"" + dst.plug.name(true) + "\"");
            return;
        }
        dst.plug.indices.back() = static_cast<std::int32_t>(nextIndex);
    }
    m_scene.connect(src.plug, dst.plug);
}

void MaStatements::addAttr() {
    const std::uint32_t line = m_read.statementLine();
    const Arguments args = arguments(true, {"m", "multi", "uac", "usedAsColor"});
    // Files add to the current node; MEL names the node last.
    Node* node = args.values.empty() ? m_current : nodeNamed(args.values.back(), line);
    if (!node) {
        warn(line, "addAttr without a node");
        return;
    }
    const std::string* longName = args.flag("ln", "longName");
    const std::string* shortName = args.flag("sn", "shortName");
    if (!longName || longName->empty()) {
        warn(line, "addAttr needs -ln");
        return;
    }
    const std::string brief = shortName && !shortName->empty() ? *shortName : *longName;
    if (node->findAttribute(*longName) || node->findAttribute(brief)) {
        warn(line, "node \"" + node->name() + "\" already has an attribute \"" + *longName + "\"");
        return;
    }
    Attribute* parent = nullptr;
    if (const std::string* p = args.flag("p", "parent")) {
        parent = const_cast<Attribute*>(node->findAttribute(*p));
        if (!parent || !parent->dynamic) {
            warn(line, "parent attribute \"" + *p + "\" of \"" + *longName + "\" not found");
            return;
        }
    }
    AttributePtr a;
    const std::string* at = args.flag("at", "attributeType");
    const std::string* dt = args.flag("dt", "dataType");
    if (dt) {
        static const std::pair<const char*, DataKind> dataTypes[] = {
            {"string", DataKind::String},
            {"stringArray", DataKind::StringArray},
            {"matrix", DataKind::Matrix},
            {"doubleArray", DataKind::DoubleArray},
            {"Int32Array", DataKind::IntArray},
            {"pointArray", DataKind::PointArray},
            {"vectorArray", DataKind::VectorArray},
            {"componentList", DataKind::ComponentList},
            {"mesh", DataKind::Mesh},
            {"nurbsCurve", DataKind::NurbsCurve}};
        DataKind kind = DataKind::Raw;
        for (const auto& [n, k] : dataTypes)
            if (*dt == n)
                kind = k;
        a = makeTyped(*longName, brief, kind);
    } else {
        const std::string type = at ? *at : "double";
        struct NumericName {
            const char* name;
            int type;
            unsigned count;
            AttrUnit unit;
        };
        using namespace numeric;
        static const NumericName numerics[] = {{"bool", kBoolean, 1, AttrUnit::None},
                                               {"byte", kByte, 1, AttrUnit::None},
                                               {"char", kChar, 1, AttrUnit::None},
                                               {"short", kShort, 1, AttrUnit::None},
                                               {"long", kLong, 1, AttrUnit::None},
                                               {"int", kLong, 1, AttrUnit::None},
                                               {"float", kFloat, 1, AttrUnit::None},
                                               {"double", kDouble, 1, AttrUnit::None},
                                               {"doubleLinear", kDouble, 1, AttrUnit::Distance},
                                               {"doubleAngle", kDouble, 1, AttrUnit::Angle},
                                               {"time", kDouble, 1, AttrUnit::Time},
                                               {"enum", kShort, 1, AttrUnit::None},
                                               {"float2", kFloat, 2, AttrUnit::None},
                                               {"float3", kFloat, 3, AttrUnit::None},
                                               {"double2", kDouble, 2, AttrUnit::None},
                                               {"double3", kDouble, 3, AttrUnit::None},
                                               {"long2", kLong, 2, AttrUnit::None},
                                               {"long3", kLong, 3, AttrUnit::None},
                                               {"short2", kShort, 2, AttrUnit::None},
                                               {"short3", kShort, 3, AttrUnit::None},
                                               {"reflectance", kFloat, 3, AttrUnit::None},
                                               {"spectrum", kFloat, 3, AttrUnit::None}};
        const NumericName* numericType = nullptr;
        for (const NumericName& n : numerics)
            if (type == n.name)
                numericType = &n;
        if (numericType) {
            double def = 0.0;
            if (const std::string* dv = args.flag("dv", "defaultValue")) {
                Token t;
                t.kind = TokenKind::Word;
                t.text = *dv;
                parseNumber(t, def);
            }
            a = makeNumeric(*longName, brief, numericType->type, def, numericType->unit);
            if (numericType->count > 1)
                a->numericType = compoundNumericType(numericType->type, numericType->count);
            a->isEnum = type == "enum";
            if (const std::string* en = args.flag("en", "enumName"))
                a->enumNames = *en;
            if (def != 0.0)
                a->defaultValue = m_scene.units.toInternal(a->unit, def);
        } else if (type == "message") {
            a = makeMessage(*longName, brief);
        } else if (type == "compound") {
            a = makeCompound(*longName, brief, {});
        } else if (type == "matrix" || type == "fltMatrix") {
            a = makeTyped(*longName, brief, DataKind::Matrix);
        } else {
            warn(line, "attribute type \"" + type + "\" is not known; \"" + *longName +
                           "\" takes any value");
            a = makeGeneric(*longName, brief);
        }
    }
    a->array = args.has("m", "multi");
    a->keyable = args.has("k", "keyable") && *args.flag("k", "keyable") != "false";
    a->hidden = args.has("h", "hidden") && *args.flag("h", "hidden") != "false";
    a->usedAsColor = args.has("uac", "usedAsColor");
    node->addDynamic(std::move(a), parent);
}

} // namespace vornexhost
