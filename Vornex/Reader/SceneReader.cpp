#include "Vornex/Reader/SceneReader.h"

#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/NodeRegistry.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Vornex/Reader/CoordinateSystem.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/VornexException.h"

#include <maya/MFileIO.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <algorithm>
#include <set>

namespace vx {
namespace {

// "Mmm d yyyy hh:mm:ss": the build's date and time, single blanks between the parts.
std::string buildStamp() {
    std::string date = __DATE__;
    if (const auto padding = date.find("  "); padding != std::string::npos)
        date.erase(padding, 1);
    return date + " " + __TIME__;
}

} // namespace

SceneReader::SceneReader()
    : m_infoBuffer(kReportBufferSize, &SceneReader::onInfoFlushed, this, 0),
      m_warningBuffer(kReportBufferSize, &SceneReader::onWarningFlushed, this, 0) {
    // The node types must be known before any scene is built or read back.
    NodeRegistry::instance();
}

SceneReader::~SceneReader() {
    clearTables();
}

// ---- Reports

void SceneReader::writeReportText(CallbackMemoryOutBuffer& buffer, TextOutStream& stream,
                                  std::string_view text) {
    // A report longer than the buffer is cut rather than refused: the read goes on.
    const std::size_t room = buffer.capacity() - buffer.written();
    stream.write(text.data(), std::min(room, text.size()));
}

void SceneReader::infoReport(const std::string& text, unsigned line) {
    m_infoBuffer.setUser(line);
    writeReportText(m_infoBuffer, m_infoStream, text);
    m_infoStream.flush();
}

void SceneReader::warningReport(const std::string& text, unsigned line) {
    m_warningBuffer.setUser(line);
    writeReportText(m_warningBuffer, m_warningStream, text);
    m_warningStream.flush();
}

void SceneReader::onInfoFlushed(void* reader, std::string_view text, std::uint32_t line) {
    static_cast<SceneReader*>(reader)->deliverInfo(text, line);
}

void SceneReader::onWarningFlushed(void* reader, std::string_view text, std::uint32_t line) {
    static_cast<SceneReader*>(reader)->deliverWarning(text, line);
}

void SceneReader::deliverInfo(std::string_view text, unsigned line) {
    if ((m_options & kReportInfo) && m_callback)
        m_callback("Info(" + std::to_string(line) + "): " + std::string(text));
}

void SceneReader::deliverWarning(std::string_view text, unsigned line) {
    ++m_warningCount;
    if (m_options & kWarningsAreFatal) {
        // The buffer is not emptied by a flush that throws; a later report must start clean.
        std::string message(text);
        m_warningBuffer.reset();
        throw VornexException(message, 0);
    }
    if ((m_options & (kReportInfo | kReportWarnings)) && m_callback)
        m_callback("Warning(" + std::to_string(line) + "): " + std::string(text));
}

// ---- Tables

void SceneReader::recordNode(NodeKey key, SceneNode* node) {
    node->addRef();
    m_nodeMap[key].push_back(node);
}

const std::vector<SceneNode*>* SceneReader::recordedNodes(NodeKey key) const {
    const auto it = m_nodeMap.find(key);
    return it == m_nodeMap.end() ? nullptr : &it->second;
}

void SceneReader::clearTables() {
    m_animatedNodes.clear();
    m_lodLevels.clear();
    for (auto& [key, nodes] : m_nodeMap)
        for (SceneNode* node : nodes)
            node->release();
    m_nodeMap.clear();
    m_splines.clear();
    m_meshes.clear();
    m_groupedMeshes.clear();
    m_pendingSkins.clear();
    m_materials.clear();
    m_textures.clear();
    m_images.clear();
}

// ---- Coordinates

Vector3 SceneReader::convertPoint(const Vector3& p) const {
    return righthanded() ? p : mirrorPoint(p);
}

MMatrix SceneReader::convertMatrix(const MMatrix& m) const {
    return righthanded() ? m : mirrorMatrix(m);
}

MQuaternion SceneReader::convertRotation(const MQuaternion& q) const {
    return righthanded() ? q : mirrorRotation(q);
}

// ---- The read

unsigned SceneReader::parseActiveMayaScene(bool selectionOnly, ParseFlags options,
                                           ReportCallback callback) {
    const std::string sceneFile = MFileIO::currentFile().str();
    VX_INFO << "ZEPH Vornex: " << buildStamp();
    VX_INFO << "Maya API version: " << MGlobal::mayaVersion().str();
    VX_INFO << "Opening file: " << sceneFile;
    VX_INFO << "parseActiveMayaScene called";
    m_warningCount = 0;
    MGlobal::executeCommand("dgdirty -a");

    m_scene.clear();
    SceneNode* root = new RootNode;
    root->setName(sceneFile);
    m_scene.setRoot(root);
    root->release();

    m_options = options;
    m_callback = std::move(callback);

    if (!righthanded()) {
        // Two texts, one report.
        static constexpr const char* kConverting = "Converting to lefthanded coordinate system. ";
        static constexpr const char* kForward = "Positive z-axis is forward";
        VX_INFO << kConverting;
        VX_INFO << kForward;
        m_infoBuffer.setUser(__LINE__);
        writeReportText(m_infoBuffer, m_infoStream, kConverting);
        writeReportText(m_infoBuffer, m_infoStream, kForward);
        m_infoStream.flush();
    } else {
        VX_READER_INFO(*this, "No conversion of coordinate system");
    }
    if (m_options & kIncludeImages)
        VX_READER_INFO(*this, "Texture binaries included");

    if (!selectionOnly) {
        parseDAG(nullptr);
    } else {
        MSelectionList selection;
        MGlobal::getActiveSelectionList(selection);
        for (unsigned i = 0; i < selection.length(); ++i) {
            MDagPath path;
            if (!selection.getDagPath(i, path)) {
                // A selected shading node or other non-DAG node holds nothing to export;
                // walking from it would walk the whole scene instead.
                MObject node;
                selection.getDependNode(i, node);
                warningReport("Skipping selected node <" + MFnDependencyNode(node).name().str() +
                                  ">: it is not part of the DAG",
                              __LINE__);
                continue;
            }
            parseDAG(&path);
        }
    }
    sampleAnimation();
    reportTextures();
    clearTables();
    return m_warningCount;
}

void SceneReader::reportTextures() {
    VX_READER_INFO(*this, "Textures used in scene:");
    std::set<std::string> reported;
    for (const auto& [key, cached] : m_textures) {
        const auto* texture = dynamic_cast<const TextureValue*>(cached.value.get());
        if (texture && reported.insert(texture->m_fileName).second)
            VX_READER_INFO(*this, texture->m_fileName);
    }
}

} // namespace vx
