// The MEL commands the host provides: scene queries (ls, getAttr, listRelatives,
// listConnections), time (currentTime, playbackOptions), selection, scene edits that reuse the
// scene file statements, and the few UI commands the plug-in calls (headless: no windows).
#include <vornexhost/DagPaths.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MelInterpreter.h>
#include <vornexhost/NameMatch.h>
#include <vornexhost/PlugPath.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <maya/MGlobal.h>
#include <maya/MMatrix.h>

#include <algorithm>
#include <cmath>

namespace vornexhost {

namespace {

enum class FlagArg { None, Value, Bool };

struct FlagSpec {
    const char* shortName;
    const char* longName;
    FlagArg arg;
};

struct ParsedArgs {
    std::vector<std::pair<std::string, std::string>> flags; // by long name
    std::vector<std::string> operands;

    bool has(const char* longName) const {
        for (const auto& f : flags)
            if (f.first == longName)
                return f.second != "0";
        return false;
    }
    const std::string* value(const char* longName) const {
        for (const auto& f : flags)
            if (f.first == longName)
                return &f.second;
        return nullptr;
    }
    std::vector<std::string> all(const char* longName) const {
        std::vector<std::string> out;
        for (const auto& f : flags)
            if (f.first == longName)
                out.push_back(f.second);
        return out;
    }
};

bool boolWord(const std::string& s, bool& out) {
    if (s == "1" || s == "true" || s == "on" || s == "yes")
        out = true;
    else if (s == "0" || s == "false" || s == "off" || s == "no")
        out = false;
    else
        return false;
    return true;
}

ParsedArgs parse(const std::string& command, const std::vector<std::string>& args,
                 std::initializer_list<FlagSpec> specs) {
    ParsedArgs out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool looksLikeFlag =
            a.size() > 1 && a[0] == '-' && std::isalpha(static_cast<unsigned char>(a[1]));
        if (!looksLikeFlag) {
            out.operands.push_back(a);
            continue;
        }
        const std::string name = a.substr(1);
        const FlagSpec* flag = nullptr;
        for (const FlagSpec& s : specs)
            if (name == s.shortName || name == s.longName)
                flag = &s;
        if (!flag)
            throw MelError{command + ": invalid flag " + a};
        std::string value = "1";
        if (flag->arg == FlagArg::Value) {
            if (i + 1 >= args.size())
                throw MelError{command + ": flag " + a + " needs a value"};
            value = args[++i];
        } else if (flag->arg == FlagArg::Bool && i + 1 < args.size()) {
            bool b = false;
            if (boolWord(args[i + 1], b)) {
                value = b ? "1" : "0";
                ++i;
            }
        }
        out.flags.emplace_back(flag->longName, value);
    }
    return out;
}

Scene& scene() {
    return activeScene();
}

Node* requireNode(const std::string& command, const std::string& name) {
    bool ambiguous = false;
    Node* node = scene().findNode(name, &ambiguous);
    if (!node)
        throw MelError{
            command + ": " +
            (ambiguous ? "More than one object matches name: " : "No object matches name: ") +
            name};
    return node;
}

// A node's name as listings show it: the shortest unique path for DAG nodes, or the full path.
std::string displayName(const Node* node, bool fullPath) {
    if (!node->isDag())
        return node->name();
    const std::vector<NodePath> paths = allPathsTo(node);
    if (paths.empty())
        return node->name();
    return fullPath ? fullPathName(paths.front()) : partialPathName(paths.front());
}

bool typeMatches(const Node* node, const std::vector<std::string>& types) {
    if (types.empty())
        return true;
    for (const std::string& t : types)
        if (node->type().isA(t))
            return true;
    return false;
}

MelValue ls(const std::vector<std::string>& args) {
    const ParsedArgs p = parse("ls", args,
                               {{"type", "type", FlagArg::Value},
                                {"typ", "type", FlagArg::Value},
                                {"l", "long", FlagArg::None},
                                {"sl", "selection", FlagArg::None},
                                {"dag", "dag", FlagArg::None},
                                {"s", "shapes", FlagArg::None},
                                {"tr", "transforms", FlagArg::None}});
    const std::vector<std::string> types = p.all("type");
    const bool fullPath = p.has("long");
    std::vector<Node*> candidates;
    if (p.has("selection")) {
        for (const auto& n : scene().selection)
            if (n->isAlive())
                candidates.push_back(n.get());
    } else if (p.operands.empty()) {
        for (const auto& n : scene().nodes())
            candidates.push_back(n.get());
    } else {
        for (const std::string& pattern : p.operands)
            for (Node* n : nodesMatching(scene(), pattern))
                if (std::find(candidates.begin(), candidates.end(), n) == candidates.end())
                    candidates.push_back(n);
    }
    std::vector<std::string> out;
    for (const Node* n : candidates) {
        if (!typeMatches(n, types))
            continue;
        if (p.has("dag") && !n->isDag())
            continue;
        if (p.has("shapes") && !n->hasFn(MFn::kShape))
            continue;
        if (p.has("transforms") && !n->hasFn(MFn::kTransform))
            continue;
        out.push_back(displayName(n, fullPath));
    }
    return MelValue::ofStrings(std::move(out));
}

ResolvedPlug requirePlug(const std::string& command, const std::string& text) {
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        throw MelError{command + ": \"" + text + "\" names no attribute"};
    Node* node = requireNode(command, text.substr(0, dot));
    ResolvedPlug resolved;
    std::string error;
    if (!resolvePlugPath(*node, std::string_view(text).substr(dot + 1), false, resolved, error) ||
        resolved.rangeLevel >= 0)
        throw MelError{command + ": No object matches name: " + text};
    return resolved;
}

void appendValue(const PlugAddress& plug, double time, std::vector<double>& numbers,
                 std::vector<std::string>& strings, bool& integers);

void appendLeaf(const PlugAddress& plug, double time, std::vector<double>& numbers,
                bool& integers) {
    const Attribute& a = *plug.attribute;
    if (!numeric::isInteger(a.numericType))
        integers = false;
    numbers.push_back(scene().units.toUi(a.unit, evalNumber(plug, time)));
}

void appendValue(const PlugAddress& plug, double time, std::vector<double>& numbers,
                 std::vector<std::string>& strings, bool& integers) {
    const Attribute& a = *plug.attribute;
    MMatrix m;
    if (a.kind == AttrKind::Typed && a.dataKind == DataKind::Matrix) {
        PlugAddress p = plug;
        if (a.array && p.isArrayPlug())
            p.indices.back() = 0; // worldMatrix without an index: the first instance
        if (!evalMatrix(p, time, m))
            m = MMatrix();
        integers = false;
        for (unsigned r = 0; r < 4; ++r)
            for (unsigned c = 0; c < 4; ++c)
                numbers.push_back(r == 3 && c < 3 ? scene().units.toUi(AttrUnit::Distance, m[r][c])
                                                  : m[r][c]);
        return;
    }
    if (plug.isArrayPlug()) {
        const ArrayStore* array = arrayStoreOf(plug, false);
        if (!array)
            return;
        for (std::uint32_t logical : array->logical)
            appendValue(elementOf(plug, static_cast<std::int32_t>(logical)), time, numbers, strings,
                        integers);
        return;
    }
    if (!a.children.empty()) {
        for (const auto& c : a.children)
            appendValue(childOf(plug, c.get()), time, numbers, strings, integers);
        return;
    }
    if (a.kind == AttrKind::Numeric) {
        appendLeaf(plug, time, numbers, integers);
        return;
    }
    std::uint32_t part = 0;
    const auto data = evalData(plug, time, &part);
    if (!data) {
        if (a.kind == AttrKind::Generic) {
            integers = false;
            numbers.push_back(evalNumber(plug, time));
        } else if (a.kind == AttrKind::Typed && a.dataKind == DataKind::String) {
            strings.emplace_back();
        }
        return;
    }
    switch (data->kind) {
    case DataKind::String:
        strings.push_back(data->text);
        return;
    case DataKind::StringArray:
    case DataKind::ComponentList:
    case DataKind::Raw:
        strings.insert(strings.end(), data->strings.begin(), data->strings.end());
        return;
    case DataKind::IntArray:
        for (std::int32_t v : data->ints)
            numbers.push_back(v);
        return;
    case DataKind::PolyFaces:
        strings.push_back("polyFaces");
        return;
    case DataKind::NurbsCurve:
        strings.push_back("nurbsCurve");
        return;
    default:
        integers = false;
        for (std::size_t i = 0; i < data->numbers.size(); ++i) {
            // Matrix translations and vector data are distances.
            const bool distance = data->kind == DataKind::Matrix && i >= 12 && i < 15;
            numbers.push_back(distance ? scene().units.toUi(AttrUnit::Distance, data->numbers[i])
                                       : data->numbers[i]);
        }
    }
}

MelValue getAttr(const std::vector<std::string>& args) {
    const ParsedArgs p = parse("getAttr", args,
                               {{"t", "time", FlagArg::Value},
                                {"s", "size", FlagArg::None},
                                {"typ", "type", FlagArg::None}});
    if (p.operands.size() != 1)
        throw MelError{"getAttr: give one attribute"};
    const ResolvedPlug r = requirePlug("getAttr", p.operands[0]);
    double time = scene().currentTime;
    if (const std::string* t = p.value("time")) {
        char* end = nullptr;
        const double frames = std::strtod(t->c_str(), &end);
        if (!end || *end != '\0')
            throw MelError{"getAttr: -time takes a number, not \"" + *t + "\""};
        time = frames / scene().units.framesPerSecond;
    }
    if (p.has("size")) {
        if (!r.plug.isArrayPlug())
            return MelValue::ofInt(1);
        return MelValue::ofInt(static_cast<long long>(existingElementIndices(r.plug).size()));
    }
    if (p.has("type")) {
        const Attribute& a = *r.plug.attribute;
        if (a.kind == AttrKind::Typed)
            return MelValue::ofString(dataKindName(a.dataKind));
        if (const auto data = evalData(r.plug, time))
            return MelValue::ofString(dataKindName(data->kind));
        if (a.kind == AttrKind::Message)
            return MelValue::ofString("message");
        return MelValue::ofString(a.children.empty() ? "double" : "double3");
    }
    std::vector<double> numbers;
    std::vector<std::string> strings;
    bool integers = true;
    appendValue(r.plug, time, numbers, strings, integers);
    if (!strings.empty())
        return strings.size() == 1 && numbers.empty() ? MelValue::ofString(strings[0])
                                                      : MelValue::ofStrings(strings);
    if (numbers.size() == 1)
        return integers ? MelValue::ofInt(numeric::toInt(numbers[0]))
                        : MelValue::ofDouble(numbers[0]);
    return MelValue::ofDoubles(std::move(numbers), integers);
}

void collectDescendants(const Node* node, std::vector<const Node*>& out) {
    for (const Node* c : node->children) {
        out.push_back(c);
        collectDescendants(c, out);
    }
}

MelValue listRelatives(const std::vector<std::string>& args) {
    const ParsedArgs p = parse("listRelatives", args,
                               {{"c", "children", FlagArg::None},
                                {"p", "parent", FlagArg::None},
                                {"ap", "allParents", FlagArg::None},
                                {"s", "shapes", FlagArg::None},
                                {"f", "fullPath", FlagArg::None},
                                {"ad", "allDescendents", FlagArg::None},
                                {"ni", "noIntermediate", FlagArg::None},
                                {"type", "type", FlagArg::Value}});
    std::vector<std::string> out;
    const bool fullPath = p.has("fullPath");
    const std::vector<std::string> types = p.all("type");
    for (const std::string& name : p.operands) {
        const Node* node = requireNode("listRelatives", name);
        std::vector<const Node*> relatives;
        if (p.has("parent") || p.has("allParents")) {
            for (const Node* parent : node->parents)
                if (parent->apiType() != MFn::kWorld)
                    relatives.push_back(parent);
            // Without -allParents only the first parent counts (erase, not resize: gcc 12's
            // array-bounds check misfires on resize here at -O3).
            if (!p.has("allParents") && relatives.size() > 1)
                relatives.erase(relatives.begin() + 1, relatives.end());
        } else if (p.has("allDescendents")) {
            collectDescendants(node, relatives);
        } else {
            relatives.assign(node->children.begin(), node->children.end());
        }
        for (const Node* r : relatives) {
            if (p.has("shapes") && !r->hasFn(MFn::kShape))
                continue;
            if (p.has("noIntermediate") && nodeNumber(*r, "io", scene().currentTime) != 0.0)
                continue;
            if (!typeMatches(r, types))
                continue;
            out.push_back(displayName(r, fullPath));
        }
    }
    return MelValue::ofStrings(std::move(out));
}

// Whether connection end `end` is `plug` or lies under it (a child or element of it).
bool endUnder(const PlugAddress& end, const PlugAddress& plug) {
    if (end.node != plug.node)
        return false;
    for (const Attribute* a = end.attribute; a; a = a->parent)
        if (a == plug.attribute) {
            for (std::size_t i = 0; i < plug.indices.size() && i < end.indices.size(); ++i)
                if (plug.indices[i] >= 0 && plug.indices[i] != end.indices[i])
                    return false;
            return true;
        }
    return false;
}

MelValue listConnections(const std::vector<std::string>& args) {
    const ParsedArgs p = parse("listConnections", args,
                               {{"s", "source", FlagArg::Bool},
                                {"d", "destination", FlagArg::Bool},
                                {"p", "plugs", FlagArg::Bool},
                                {"c", "connections", FlagArg::Bool},
                                {"t", "type", FlagArg::Value}});
    auto flagOr = [&](const char* name, bool fallback) {
        const std::string* v = p.value(name);
        return v ? *v == "1" : fallback;
    };
    const bool sources = flagOr("source", true);
    const bool destinations = flagOr("destination", true);
    const bool plugs = flagOr("plugs", false);
    const bool pairs = flagOr("connections", false);
    const std::vector<std::string> types = p.all("type");
    std::vector<std::string> out;
    for (const std::string& name : p.operands) {
        Node* node = nullptr;
        PlugAddress plug;
        if (name.find('.') != std::string::npos) {
            plug = requirePlug("listConnections", name).plug;
            node = plug.node;
        } else {
            node = requireNode("listConnections", name);
        }
        const Scene& s = scene();
        auto visit = [&](const std::vector<std::uint32_t>& ids, bool incoming) {
            for (std::uint32_t id : ids) {
                const Connection& c = s.connection(id);
                if (!c.alive)
                    continue;
                const PlugAddress& near = incoming ? c.destination : c.source;
                const PlugAddress& far = incoming ? c.source : c.destination;
                if (!plug.isNull() && !endUnder(near, plug))
                    continue;
                if (!typeMatches(far.node, types))
                    continue;
                if (pairs)
                    out.push_back(near.name(true));
                out.push_back(plugs ? far.name(true) : far.node->name());
            }
        };
        if (sources)
            visit(node->connectionsIn, true);
        if (destinations)
            visit(node->connectionsOut, false);
    }
    return MelValue::ofStrings(std::move(out));
}

double parseFrames(const std::string& command, const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || !end || *end != '\0')
        throw MelError{command + ": \"" + text + "\" is not a time"};
    return v;
}

MelValue currentTime(const std::vector<std::string>& args) {
    const ParsedArgs p = parse("currentTime", args,
                               {{"q", "query", FlagArg::None},
                                {"e", "edit", FlagArg::None},
                                {"u", "update", FlagArg::Bool}});
    Scene& s = scene();
    if (p.has("query") || p.operands.empty())
        return MelValue::ofDouble(s.currentTime * s.units.framesPerSecond);
    const double frames = parseFrames("currentTime", p.operands[0]);
    s.currentTime = frames / s.units.framesPerSecond;
    return MelValue::ofDouble(frames);
}

MelValue playbackOptions(const std::vector<std::string>& args) {
    Scene& s = scene();
    const double fps = s.units.framesPerSecond;
    if (std::find(args.begin(), args.end(), "-q") != args.end() ||
        std::find(args.begin(), args.end(), "-query") != args.end()) {
        // In query mode the flag names what is asked and takes no value.
        for (const std::string& a : args) {
            if (a == "-min" || a == "-minTime" || a == "-ast" || a == "-animationStartTime")
                return MelValue::ofDouble(s.minTime * fps);
            if (a == "-max" || a == "-maxTime" || a == "-aet" || a == "-animationEndTime")
                return MelValue::ofDouble(s.maxTime * fps);
        }
        throw MelError{"playbackOptions: query -min or -max"};
    }
    const ParsedArgs p = parse("playbackOptions", args,
                               {{"q", "query", FlagArg::None},
                                {"e", "edit", FlagArg::None},
                                {"min", "minTime", FlagArg::Value},
                                {"max", "maxTime", FlagArg::Value},
                                {"ast", "animationStartTime", FlagArg::Value},
                                {"aet", "animationEndTime", FlagArg::Value}});
    if (const std::string* v = p.value("minTime"))
        s.minTime = parseFrames("playbackOptions", *v) / fps;
    if (const std::string* v = p.value("maxTime"))
        s.maxTime = parseFrames("playbackOptions", *v) / fps;
    return {};
}

MelValue select(const std::vector<std::string>& args) {
    const ParsedArgs p = parse("select", args,
                               {{"r", "replace", FlagArg::None},
                                {"add", "add", FlagArg::None},
                                {"d", "deselect", FlagArg::None},
                                {"cl", "clear", FlagArg::None},
                                {"ne", "noExpand", FlagArg::None}});
    Scene& s = scene();
    if (p.has("clear") || (!p.has("add") && !p.has("deselect")))
        s.selection.clear();
    for (const std::string& pattern : p.operands) {
        const std::vector<Node*> found = nodesMatching(s, pattern);
        if (found.empty())
            throw MelError{"select: No object matches name: " + pattern};
        for (Node* n : found) {
            auto& sel = s.selection;
            const auto it =
                std::find_if(sel.begin(), sel.end(), [&](const auto& h) { return h.get() == n; });
            if (p.has("deselect")) {
                if (it != sel.end())
                    sel.erase(it);
            } else if (it == sel.end()) {
                sel.push_back(s.handle(n));
            }
        }
    }
    return {};
}

// Scene edits in the scene file's own syntax: the statement is rebuilt and loaded.
MelCommand sceneStatement(const std::string& command) {
    return [command](const std::vector<std::string>& args) {
        std::string text = command;
        for (const std::string& a : args) {
            const bool bare =
                !a.empty() &&
                (a[0] == '-' || std::isdigit(static_cast<unsigned char>(a[0])) || a == "yes" ||
                 a == "no" || a == "on" || a == "off" || a == "true" || a == "false");
            text += ' ';
            if (bare && a.find_first_of(" \";") == std::string::npos) {
                text += a;
                continue;
            }
            text += '"';
            for (char c : a) {
                if (c == '"' || c == '\\')
                    text += '\\';
                text += c;
            }
            text += '"';
        }
        text += ';';
        const MaLoadResult result = loadMayaAscii(scene(), command, text);
        for (const std::string& w : result.warnings)
            MGlobal::displayWarning(MString(w));
        if (!result.ok || !result.warnings.empty())
            throw MelError{result.ok ? command + " failed" : result.error};
        return MelValue();
    };
}

} // namespace

void defineMelCommands(MelInterpreter& mel) {
    mel.define("ls", ls);
    mel.define("getAttr", getAttr);
    mel.define("listRelatives", listRelatives);
    mel.define("listConnections", listConnections);
    mel.define("currentTime", currentTime);
    mel.define("playbackOptions", playbackOptions);
    mel.define("select", select);
    for (const char* c :
         {"setAttr", "createNode", "connectAttr", "disconnectAttr", "addAttr", "parent", "rename"})
        mel.define(c, sceneStatement(c));
    mel.define("objExists", [](const std::vector<std::string>& args) {
        return MelValue::ofInt(args.size() == 1 && scene().findNode(args[0]) ? 1 : 0);
    });
    mel.define("nodeType", [](const std::vector<std::string>& args) {
        if (args.size() != 1)
            throw MelError{"nodeType: give one node"};
        return MelValue::ofString(requireNode("nodeType", args[0])->type().name);
    });
    // Values are computed when read, so there is nothing to mark dirty.
    mel.define("dgdirty", [](const std::vector<std::string>&) { return MelValue(); });
    // Headless: no window exists, and there is no create-render-node window to refresh.
    mel.define("window", [](const std::vector<std::string>& args) {
        if (std::find(args.begin(), args.end(), "-exists") == args.end() &&
            std::find(args.begin(), args.end(), "-ex") == args.end())
            throw MelError{"window: only -exists is available without a user interface"};
        return MelValue::ofInt(0);
    });
    mel.define("refreshCreateRenderNodeWindow",
               [](const std::vector<std::string>&) { return MelValue(); });
}

} // namespace vornexhost
