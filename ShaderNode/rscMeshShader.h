#pragma once
// The viewport shader node "rscMeshShader": previews a layered game material (colour, detail,
// crack and dirt layers, each a constant colour or a file texture) on four texture units.
#include "ShaderNode/ChannelSource.h"
#include "ShaderNode/LayerCombiner.h"

#include <maya/MMessage.h>
#include <maya/MObject.h>
#include <maya/MPxHwShaderNode.h>
#include <maya/MTypeId.h>

#include <array>

namespace vx {

class rscMeshShader : public MPxHwShaderNode {
public:
    static constexpr const char* kTypeName = "rscMeshShader";
    static const MTypeId id; // 0x81020
    // The colour attributes: color, detail, dirt, crack, NDetail, NCrack, in the order they
    // are added and resolved.
    static constexpr unsigned kChannelCount = 6;

    static void* creator();
    static MStatus initialize();

    rscMeshShader();
    ~rscMeshShader() override;

    MStatus bind(const MDrawRequest& request, M3dView& view) override;
    MStatus unbind(const MDrawRequest& request, M3dView& view) override;
    MStatus geometry(const MDrawRequest& request, M3dView& view, int prim, unsigned int writable,
                     int indexCount, const unsigned int* indexArray, int vertexCount,
                     const int* vertexIDs, const float* vertexArray, int normalCount,
                     const float** normalArrays, int colorCount, const float** colorArrays,
                     int texCoordCount, const float** texCoordArrays) override;
    int colorsPerVertex() override;
    int texCoordsPerVertex() override;
    int getTexCoordSetNames(MStringArray& names) override;

    // The layers the last bind set up (units with a texture, constants), for inspection.
    const LayerSetup& lastLayers() const { return m_layers; }

    static MObject s_channels[kChannelCount];

private:
    static void onSceneMessage(void* clientData);
    void holdCache();
    void dropCache();

    std::array<MCallbackId, 4> m_sceneCallbacks{};
    bool m_holdsCache = false;
    CombinerPath m_path = CombinerPath::TextureEnvironment;
    LayerSetup m_layers;
};

} // namespace vx
