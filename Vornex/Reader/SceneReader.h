#pragma once
// Reads the host's active scene into the host-free scene graph. One reader serves one export:
// construct, parseActiveMayaScene once, take scene(), export, destroy.
//
// The reader is one class whose work is split over several files, one per kind of host data:
//   SceneReader.cpp        construction, reports, parseActiveMayaScene, the textures-used report
//   CoordinateSystem.cpp   the mirroring of points, matrices and rotations
//   DagTraversal.cpp       parseDAG, dispatch, attachToHierarchy, LOD levels
//   TransformReading.cpp   transform, joint, camera, curve and locator handlers
//   ExtraAttributes.cpp    copyExtraAttributes
//   AnimationSampling.cpp  sampleAnimation
//   MeshHandler.cpp        the mesh handler: instances and their material groups
//   MeshReading.cpp        mesh shapes: points, normals, UV channels, statistics, blind data
//   VertexBuilding.cpp     splitting host vertices into game vertices (FanWalk, FanSplit)
//   SkinReading.cpp        skin clusters, weight records, pending skins
//   MaterialReading.cpp    shading engines, materials, layered shaders
//   TextureReading.cpp     texture networks and their images
//   CgfxReading.cpp        cgfx shader nodes (the game's rules in CgfxRecords)
// Handlers report through ReaderReports.h (VX_READER_INFO logs the text and reports it).
#include "Shared/Base/Streams/Buffers/CallbackMemoryOutBuffer.h"
#include "Shared/Base/Streams/TextOutStream.h"
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/NamedValues.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Vornex/ParseFlags.h"

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MObjectHandle.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class MMatrix;
class MQuaternion;

namespace vx {

class BaseSpline;
class ChannelValue;
class Material;
class MeshGeometry;
class MaterialGroupedMesh;
class SceneNode;
class UtilMeshNode;
class UtilLodNode;
class VertexBuffer;
struct TextureImage;

class SceneReader {
public:
    // Receives each composed report line ("Info(line): text", "Warning(line): text").
    using ReportCallback = std::function<void(const std::string&)>;
    // A host node's identity: the same node reached through two instance paths is one key.
    using NodeKey = unsigned int;

    // Size of one report, as the report buffers hold it; longer texts are cut.
    static constexpr std::size_t kReportBufferSize = 512;

    SceneReader();
    ~SceneReader();
    SceneReader(const SceneReader&) = delete;
    SceneReader& operator=(const SceneReader&) = delete;

    // Reads the whole DAG, or each selected path in selection order. Returns the number of
    // Warning reports. Throws VornexException; an invariant failure throws AssertionFailed.
    unsigned parseActiveMayaScene(bool selectionOnly, ParseFlags options, ReportCallback callback);

    Scene& scene() { return m_scene; }
    ParseFlags options() const { return m_options; }
    bool righthanded() const { return (m_options & kRighthandedSystem) != 0; }
    unsigned warningCount() const { return m_warningCount; }

    static NodeKey keyOf(const MObject& node) { return MObjectHandle(node).hashCode(); }

    // ---- Reports: Info reports reach the callback with reportInfo; Warning reports count,
    // end the read with warningsAreFatal, and reach the callback with reportInfo or
    // reportWarnings. `line` names the reporting site.
    void infoReport(const std::string& text, unsigned line);
    void warningReport(const std::string& text, unsigned line);

    // ---- Traversal (DagTraversal.cpp)
    unsigned parseDAG(const MDagPath* root);
    void dispatch(MDagPath path);
    // Makes scene nodes for every element of `path` up to the world and links them; sets
    // endNode to the node the leaf below `path` hangs under. Returns the path length where it
    // stopped (0 at the world); equal to path.length() when the direct parent already existed.
    unsigned attachToHierarchy(const MDagPath& path, SceneNode*& endNode);

    // ---- Handlers (TransformReading.cpp). `fill` is given when attachToHierarchy meets the
    // node as an ancestor.
    void readTransform(const MDagPath& path, SceneNode& node);
    void readJoint(const MDagPath& path, SceneNode* fill = nullptr);
    void readCamera(const MDagPath& path, SceneNode* fill = nullptr);
    void readCurve(const MDagPath& path);
    void readLocator(const MDagPath& path);

    // ---- Extra attributes (ExtraAttributes.cpp): "zeph*" attributes of `node` into `target`.
    void copyExtraAttributes(const MObject& node, NamedValueHolder& target);
    void copyExtraAttributes(const MObject& node, NamedValueTable& target);

    // ---- Animation (AnimationSampling.cpp)
    void sampleAnimation();

    // ---- Meshes (MeshReading.cpp, VertexBuilding.cpp)
    void readMesh(const MDagPath& path);
    std::shared_ptr<MeshGeometry> readMeshShape(const MDagPath& path);

    // ---- Skins (SkinReading.cpp)
    void resolvePendingSkins();
    // One weight record per vertex of `shape` into `buffer`; the used influences become the
    // shape's pending skin entry.
    void readSkinWeights(const MObject& skinCluster, const MDagPath& shape, VertexBuffer& buffer);

    // ---- Materials and textures (MaterialReading.cpp, CgfxReading.cpp): the material of a
    // shading engine, or none.
    std::shared_ptr<Material> readShadingEngine(const MObject& shadingEngine);
    // Material and texture nodes are read once per read (TextureReading.cpp for textures);
    // none for unsupported kinds, failures and cycles. Every caller of readTexture gets its
    // own copy of the cached value.
    std::shared_ptr<Material> readMaterial(const MObject& node);
    std::unique_ptr<ChannelValue> readTexture(const MObject& node);
    // The image of a file texture, loaded at most once per path and read; null when missing
    // or not loadable (reported).
    std::shared_ptr<const TextureImage> textureImage(const std::string& path);

    // ---- Coordinate conversion: mirrors X unless righthandedSystem (CoordinateSystem.h).
    Vector3 convertPoint(const Vector3& p) const;
    MMatrix convertMatrix(const MMatrix& m) const;
    MQuaternion convertRotation(const MQuaternion& q) const;

    // Records `node` (taking a reference) under the host node `key`.
    void recordNode(NodeKey key, SceneNode* node);
    // The scene nodes recorded for a host node, or null.
    const std::vector<SceneNode*>* recordedNodes(NodeKey key) const;

private:
    // A transform or joint whose keys sampleAnimation takes; the node is held by m_nodeMap.
    struct AnimatedNode {
        SceneNode* node;
        MDagPath path;
    };

    void clearTables();
    // Adds the key of one sampled node at the host's current time.
    void sampleKey(const AnimatedNode& animated, float time);
    void reportTextures();
    // One report: the texts go through the stream, the flush hands them on as one line.
    static void writeReportText(CallbackMemoryOutBuffer& buffer, TextOutStream& stream,
                                std::string_view text);
    static void onInfoFlushed(void* reader, std::string_view text, std::uint32_t line);
    static void onWarningFlushed(void* reader, std::string_view text, std::uint32_t line);
    void deliverInfo(std::string_view text, unsigned line);
    void deliverWarning(std::string_view text, unsigned line);

    // Logs that a dispatched node has no handler; the caller hands its parent on.
    void logUnsupported(const MDagPath& path) const;
    // The scene node of the single-node entry of `key`, or null when there is no entry.
    SceneNode* singleRecordedNode(NodeKey key) const;
    // Fills a joint or camera node met as a leaf or an ancestor.
    void fillJoint(const MDagPath& path, SceneNode& node);
    void fillCamera(const MDagPath& path, SceneNode& node);
    // The joint and camera handlers after their type checks: fills `fill`, or in the leaf
    // form (no `fill`) attaches, adds, records and fills a new node.
    void readJointOrCamera(const MDagPath& path, SceneNode* fill, bool camera);
    // attachToHierarchy for a shape's parent; null when the shape is to be skipped because
    // its direct parent already had a scene node.
    SceneNode* attachShapeParent(const MDagPath& shapePath);
    std::shared_ptr<BaseSpline> readCurveShape(const MDagPath& path);
    // A further level of a LOD group already in the scene: adds `level` to the group's LOD
    // node with its threshold. `group` is the group's path, `levelObject` the level's node.
    void addLodLevel(const MDagPath& group, const MObject& levelObject, SceneNode& level);
    // Where a level created `lod`: remembered so later levels keep the host's child order.
    void rememberLodLevel(const UtilLodNode& lod, unsigned childIndex);

    // Scene nodes made per host node, one reference each.
    std::map<NodeKey, std::vector<SceneNode*>> m_nodeMap;

    // -- Shape table: curves and meshes read once per shape node.
    std::map<NodeKey, std::shared_ptr<BaseSpline>> m_splines;
    std::map<NodeKey, std::shared_ptr<MeshGeometry>> m_meshes;
    // Grouped meshes made per geometry, for sharing between instances with equal materials.
    std::map<const MeshGeometry*, std::vector<std::shared_ptr<MaterialGroupedMesh>>>
        m_groupedMeshes;

    // -- Skins: shape node -> (influence node keys in used order, mesh nodes of its instances).
    struct PendingSkin {
        std::vector<NodeKey> influences;
        std::vector<UtilMeshNode*> meshNodes; // references held by m_nodeMap
    };
    std::map<NodeKey, PendingSkin> m_pendingSkins;

    // -- Materials: a cached entry is in progress (cycle), read, or failed (none).
    template <class T>
    struct Cached {
        bool inProgress = false;
        std::shared_ptr<T> value;
    };
    std::map<NodeKey, Cached<Material>> m_materials;
    std::map<NodeKey, Cached<ChannelValue>> m_textures;
    // Image table: file path -> loaded image, or null when loading failed.
    std::map<std::string, std::shared_ptr<const TextureImage>> m_images;

    // -- LOD groups: per LOD node, the host child index of each level, in the node's order.
    std::map<const UtilLodNode*, std::vector<unsigned>> m_lodLevels;
    // -- Transforms and joints met during the walk, in the order met.
    std::vector<AnimatedNode> m_animatedNodes;

    Scene m_scene;
    CallbackMemoryOutBuffer m_infoBuffer;
    CallbackMemoryOutBuffer m_warningBuffer;
    TextOutStream m_infoStream{&m_infoBuffer};
    TextOutStream m_warningStream{&m_warningBuffer};
    ReportCallback m_callback;
    ParseFlags m_options = 0;
    unsigned m_warningCount = 0;
};

} // namespace vx
