// MEL commands that inspect meshes: `polyEvaluate` counts (vertices, edges, faces, UVs of a
// set, triangles) and `pointPosition` of a vertex, as the mesh function set reads them.
#include <vornexhost/DagPaths.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/MelInterpreter.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>

#include <maya/MFnMesh.h>

#include <charconv>

namespace vornexhost {

namespace {

// The mesh shape named, or the first non-intermediate mesh under the transform named.
Node* meshNamed(const std::string& command, const std::string& name) {
    bool ambiguous = false;
    Node* node = activeScene().findNode(name, &ambiguous);
    if (!node)
        throw MelError{
            command + ": " +
            (ambiguous ? "More than one object matches name: " : "No object matches name: ") +
            name};
    if (node->hasFn(MFn::kMesh))
        return node;
    for (Node* child : node->children)
        if (child->hasFn(MFn::kMesh) && nodeNumber(*child, "io", sceneTime()) == 0.0)
            return child;
    throw MelError{command + ": " + name + " is not a mesh"};
}

long long triangles(const MeshGeometry& mesh) {
    long long n = 0;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f)
        if (mesh.faceSize(f) >= 3)
            n += mesh.faceSize(f) - 2;
    return n;
}

MelValue polyEvaluate(const std::vector<std::string>& args) {
    std::vector<char> wanted; // v, e, f, u, t in the order asked
    std::string uvSet;
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-v" || a == "-vertex")
            wanted.push_back('v');
        else if (a == "-e" || a == "-edge")
            wanted.push_back('e');
        else if (a == "-f" || a == "-face")
            wanted.push_back('f');
        else if (a == "-uv" || a == "-uvcoord")
            wanted.push_back('u');
        else if (a == "-t" || a == "-triangle")
            wanted.push_back('t');
        else if (a == "-uvs" || a == "-uvSetName") {
            if (i + 1 >= args.size())
                throw MelError{"polyEvaluate: flag " + a + " needs a UV set name"};
            uvSet = args[++i];
        } else if (!a.empty() && a[0] == '-')
            throw MelError{"polyEvaluate: invalid flag " + a};
        else
            operands.push_back(a);
    }
    if (operands.size() != 1)
        throw MelError{"polyEvaluate: give one mesh"};
    const auto mesh = evaluateMesh(*meshNamed("polyEvaluate", operands[0]));
    int set = mesh->currentUvSet;
    if (!uvSet.empty() && (set = mesh->uvSetIndex(uvSet)) < 0)
        throw MelError{"polyEvaluate: " + operands[0] + " has no UV set " + uvSet};
    auto count = [&](char what) -> long long {
        switch (what) {
        case 'v':
            return mesh->vertexCount();
        case 'e':
            return mesh->edgeCount();
        case 'f':
            return mesh->faceCount();
        case 'u':
            return static_cast<long long>(mesh->uvSets[std::size_t(set)].u.size());
        default:
            return triangles(*mesh);
        }
    };
    if (wanted.empty()) {
        return MelValue::ofString(
            "vertex=" + std::to_string(count('v')) + " edge=" + std::to_string(count('e')) +
            " face=" + std::to_string(count('f')) + " uvcoord=" + std::to_string(count('u')) +
            " triangle=" + std::to_string(count('t')));
    }
    if (wanted.size() == 1)
        return MelValue::ofInt(count(wanted[0]));
    std::vector<double> counts;
    for (char w : wanted)
        counts.push_back(static_cast<double>(count(w)));
    return MelValue::ofDoubles(std::move(counts), true);
}

// "shape.vtx[3]" or "transform.vtx[3]": the vertex's position in world space, or in object
// space with -l.
MelValue pointPosition(const std::vector<std::string>& args) {
    bool local = false;
    std::vector<std::string> operands;
    for (const std::string& a : args) {
        if (a == "-l" || a == "-local")
            local = true;
        else if (a == "-w" || a == "-world")
            local = false;
        else if (!a.empty() && a[0] == '-')
            throw MelError{"pointPosition: invalid flag " + a};
        else
            operands.push_back(a);
    }
    const std::size_t dot = operands.size() == 1 ? operands[0].rfind(".vtx[") : std::string::npos;
    if (dot == std::string::npos || operands[0].back() != ']')
        throw MelError{"pointPosition: give one vertex as name.vtx[index]"};
    const std::string& text = operands[0];
    int index = -1;
    const char* first = text.data() + dot + 5;
    const char* last = text.data() + text.size() - 1;
    if (const auto r = std::from_chars(first, last, index); r.ptr != last || index < 0)
        throw MelError{"pointPosition: bad vertex index in " + text};
    Node* shape = meshNamed("pointPosition", text.substr(0, dot));
    MFnMesh fn(objectOf(shape));
    MPoint p;
    if (!fn.getPoint(index, p, local ? MSpace::kObject : MSpace::kWorld))
        throw MelError{"pointPosition: " + text + " does not exist"};
    return MelValue::ofDoubles({p.x, p.y, p.z});
}

} // namespace

void defineMeshCommands(MelInterpreter& mel) {
    mel.define("polyEvaluate", polyEvaluate);
    mel.define("pointPosition", pointPosition);
}

} // namespace vornexhost
