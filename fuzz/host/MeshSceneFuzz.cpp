// Scene text in, every mesh of it read through the mesh function set and iterators: the stored
// mesh data, history, shader assignment and blind data readers must reject what they cannot use.
// The meshes are read twice: built ahead side by side, as loading a scene file builds them, and
// built one by one on request once the scene has changed; both builds must give the same bytes.
#include <vornexhost/MaLoader.h>
#include <vornexhost/MeshGeometry.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Scene.h>
#include <vornexhost/SceneRevision.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPath.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItDag.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace {

void readEveryMesh() {
    for (MItDag it; !it.isDone(); it.next()) {
        MDagPath path;
        it.getPath(path);
        if (path.apiType() != MFn::kMesh)
            continue;
        MFnMesh mesh(path);
        MFloatVectorArray normals;
        mesh.getNormals(normals);
        MObjectArray shaders;
        MIntArray indices;
        mesh.getConnectedShaders(path.instanceNumber(), shaders, indices);
        MIntArray ids;
        mesh.getBlindDataTypes(MFn::kMeshPolygonComponent, ids);
        for (MItMeshPolygon face(path); !face.isDone(); face.next()) {
            MColor colour;
            face.getColor(colour, 0);
            face.normalIndex(0);
            int uv = 0;
            mesh.getPolygonUVid(face.index(), 0, uv);
        }
        for (MItMeshVertex vertex(path); !vertex.isDone(); vertex.next()) {
            MIntArray edges;
            vertex.getConnectedEdges(edges);
        }
    }
}

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool sameMesh(const vornexhost::MeshGeometry& a, const vornexhost::MeshGeometry& b) {
    return sameBytes(a.points, b.points) && sameBytes(a.faceStart, b.faceStart) &&
           sameBytes(a.cornerVertex, b.cornerVertex) && sameBytes(a.cornerEdge, b.cornerEdge) &&
           sameBytes(a.normals, b.normals) && sameBytes(a.cornerNormal, b.cornerNormal) &&
           sameBytes(a.vertexFaces, b.vertexFaces) && sameBytes(a.edgeFaces, b.edgeFaces) &&
           a.uvSets.size() == b.uvSets.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornexhost::setScriptEditorSink([](vornexhost::ScriptEditorKind, std::string_view) {});
    vornexhost::Scene& scene = vornexhost::activeScene();
    scene.reset();
    vornexhost::loadMayaAscii(scene, "fuzz.ma",
                              std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<const vornexhost::Node*> shapes = vornexhost::meshShapes(scene);
    vornexhost::evaluateMeshesAhead(shapes);
    std::vector<std::shared_ptr<const vornexhost::MeshGeometry>> ahead;
    for (const vornexhost::Node* shape : shapes)
        ahead.push_back(shape->evaluatedMesh.mesh);
    readEveryMesh();
    vornexhost::touchScene();
    readEveryMesh();
    for (std::size_t i = 0; i < shapes.size(); ++i)
        if (!ahead[i] || !sameMesh(*ahead[i], *vornexhost::evaluateMesh(*shapes[i])))
            std::abort();
    return 0;
}
