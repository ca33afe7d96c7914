// Scene text in, every mesh of it read through the mesh function set and iterators: the stored
// mesh data, history, shader assignment and blind data readers must reject what they cannot use.
#include <vornexhost/MaLoader.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPath.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItDag.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornexhost::setScriptEditorSink([](vornexhost::ScriptEditorKind, std::string_view) {});
    vornexhost::Scene& scene = vornexhost::activeScene();
    scene.reset();
    vornexhost::loadMayaAscii(scene, "fuzz.ma",
                              std::string_view(reinterpret_cast<const char*>(data), size));
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
    return 0;
}
