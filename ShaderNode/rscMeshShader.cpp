#include "ShaderNode/rscMeshShader.h"

#include "ShaderNode/TextureCache.h"
#include "Vornex/GlExtensions.h"

#include <maya/M3dView.h>
#include <maya/MDrawRequest.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MSceneMessage.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace vx {
namespace {

struct ChannelDefinition {
    const char* longName;
    const char* shortName;
    const char* childShort[3];
    float defaults[3];
};

// Long names of the children are the long name with R, G and B appended.
constexpr ChannelDefinition kChannels[rscMeshShader::kChannelCount] = {
    {"color", "c1", {"c1r", "c1g", "c1b"}, {1.0f, 0.5f, 0.5f}},
    {"detail", "d", {"dr", "dg", "db"}, {1.0f, 1.0f, 1.0f}},
    {"dirt", "st", {"str", "stg", "stb"}, {1.0f, 1.0f, 1.0f}},
    {"crack", "d2", {"d2r", "d2g", "d2b"}, {1.0f, 1.0f, 1.0f}},
    {"NDetail", "nd", {"ndr", "ndg", "ndb"}, {1.0f, 1.0f, 1.0f}},
    {"NCrack", "nc", {"ncr", "ncg", "ncb"}, {1.0f, 1.0f, 1.0f}},
};

// Channel positions (in kChannels order) of the layers on units 0 to 3.
constexpr unsigned kUnitChannel[4] = {0, 1, 3, 2};
constexpr unsigned kDetailTint = 4;
constexpr unsigned kCrackTint = 5;

// The scene messages after which the node gives up its hold on the texture cache: a new scene,
// an opened scene, a removed reference, the host exiting.
constexpr MSceneMessage::Message kReleaseMessages[4] = {
    MSceneMessage::kBeforeNew, MSceneMessage::kBeforeOpen, MSceneMessage::kBeforeRemoveReference,
    MSceneMessage::kMayaExiting};
static_assert(MSceneMessage::kBeforeNew == 1 && MSceneMessage::kBeforeOpen == 5 &&
              MSceneMessage::kBeforeRemoveReference == 13 && MSceneMessage::kMayaExiting == 25);

const char* const kUvSets[4] = {"map1", "detail", "crack", "dirt"};

constexpr float kAlphaThreshold = 0.05f;

} // namespace

const MTypeId rscMeshShader::id(0x81020);
MObject rscMeshShader::s_channels[kChannelCount];

void* rscMeshShader::creator() {
    return new rscMeshShader();
}

MStatus rscMeshShader::initialize() {
    MFnNumericAttribute fn;
    for (unsigned c = 0; c < kChannelCount; ++c) {
        const ChannelDefinition& d = kChannels[c];
        MObject children[3];
        const char* suffix[3] = {"R", "G", "B"};
        for (unsigned i = 0; i < 3; ++i) {
            children[i] = fn.create(MString(d.longName) + suffix[i], d.childShort[i],
                                    MFnNumericData::kFloat, static_cast<double>(d.defaults[i]));
            fn.setStorable(true);
            fn.setKeyable(true);
        }
        MStatus status;
        s_channels[c] =
            fn.create(d.longName, d.shortName, children[0], children[1], children[2], &status);
        if (!status)
            return status;
        fn.setStorable(true);
        fn.setKeyable(true);
        fn.setUsedAsColor(true);
        fn.setDefault(d.defaults[0], d.defaults[1], d.defaults[2]);
    }
    for (const MObject& channel : s_channels) {
        const MStatus status = addAttribute(channel);
        if (!status)
            return status;
    }
    return MStatus::kSuccess;
}

rscMeshShader::rscMeshShader() {
    holdCache();
    for (std::size_t i = 0; i < m_sceneCallbacks.size(); ++i)
        m_sceneCallbacks[i] =
            MSceneMessage::addCallback(kReleaseMessages[i], &onSceneMessage, this);
}

rscMeshShader::~rscMeshShader() {
    for (const MCallbackId callback : m_sceneCallbacks)
        MMessage::removeCallback(callback);
    // A node deleted before any of those messages lets go too, or the cache would never empty.
    dropCache();
}

void rscMeshShader::holdCache() {
    if (!m_holdsCache) {
        TextureCache::acquire();
        m_holdsCache = true;
    }
}

void rscMeshShader::dropCache() {
    // One reference per node: several of the messages may arrive before the node goes.
    if (m_holdsCache) {
        m_holdsCache = false;
        TextureCache::release();
    }
}

void rscMeshShader::onSceneMessage(void* clientData) {
    static_cast<rscMeshShader*>(clientData)->dropCache();
}

MStatus rscMeshShader::bind(const MDrawRequest& request, M3dView& view) {
    if (!view.beginGL())
        return MStatus::kFailure;
    glPushAttrib(0xFFFFF);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);

    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);

    ChannelSource channels[kChannelCount];
    const MDagPath drawn = request.multiPath();
    for (unsigned c = 0; c < kChannelCount; ++c)
        channels[c] = resolveChannel(thisMObject(), kChannels[c].longName, drawn);

    m_path = chooseCombinerPath();
    const GlEntryPoints& gl = glEntryPoints();
    if (m_path == CombinerPath::RegisterCombiners) {
        glEnable(GL_REGISTER_COMBINERS_NV);
        gl.glCombinerParameteriNV(GL_COLOR_SUM_CLAMP_NV, GL_TRUE);
        const GLfloat constant0[4] = {-0.5f, -0.5f, -0.5f, 0.5f};
        const GLfloat constant1[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        gl.glCombinerParameterfvNV(GL_CONSTANT_COLOR0_NV, constant0);
        gl.glCombinerParameterfvNV(GL_CONSTANT_COLOR1_NV, constant1);
    }

    holdCache();
    TextureCache& cache = *TextureCache::instance();
    const bool multitexture = gl.glActiveTextureARB != nullptr;
    m_layers = LayerSetup();
    for (unsigned unit = 0; unit < 4; ++unit) {
        const ChannelSource& channel = channels[kUnitChannel[unit]];
        for (unsigned k = 0; k < 3; ++k)
            m_layers.constants[unit][k] = channel.color[k];
        if (channel.kind != ChannelSource::kTexture || (unit > 0 && !multitexture))
            continue;
        MTexture* texture = cache.texture(channel.textureNode);
        if (!texture)
            continue;
        if (multitexture)
            gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
        glEnable(GL_TEXTURE_2D);
        texture->bind();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        if (unit == 0)
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        m_layers.textured[unit] = true;
    }
    if (multitexture)
        gl.glActiveTextureARB(GL_TEXTURE0_ARB);
    // The tints are colours only: a texture connected to one leaves it white.
    for (unsigned k = 0; k < 3; ++k) {
        const ChannelSource& detail = channels[kDetailTint];
        const ChannelSource& crack = channels[kCrackTint];
        m_layers.detailTint[k] = detail.kind == ChannelSource::kConstant ? detail.color[k] : 1.0f;
        m_layers.crackTint[k] = crack.kind == ChannelSource::kConstant ? crack.color[k] : 1.0f;
    }
    programCombiner(m_path, m_layers);

    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, kAlphaThreshold);
    view.endGL();
    return MStatus::kSuccess;
}

MStatus rscMeshShader::geometry(const MDrawRequest&, M3dView&, int prim, unsigned int,
                                int indexCount, const unsigned int* indexArray, int, const int*,
                                const float* vertexArray, int normalCount,
                                const float** normalArrays, int, const float**, int texCoordCount,
                                const float** texCoordArrays) {
    glVertexPointer(3, GL_FLOAT, 0, vertexArray);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (normalCount >= 1) {
        glNormalPointer(GL_FLOAT, 0, normalArrays[0]);
        glEnableClientState(GL_NORMAL_ARRAY);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    const GlEntryPoints& gl = glEntryPoints();
    if (texCoordCount >= 1) {
        // Unit i reads array i; units past the arrays given repeat the last one.
        const int units = gl.glClientActiveTextureARB != nullptr ? 4 : 1;
        for (int unit = 0; unit < units; ++unit) {
            if (gl.glClientActiveTextureARB != nullptr)
                gl.glClientActiveTextureARB(static_cast<GLenum>(GL_TEXTURE0_ARB + unit));
            const int array = unit < texCoordCount ? unit : texCoordCount - 1;
            glTexCoordPointer(2, GL_FLOAT, 0, texCoordArrays[array]);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        if (gl.glClientActiveTextureARB != nullptr)
            gl.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDrawElements(static_cast<GLenum>(prim), indexCount, GL_UNSIGNED_INT, indexArray);
    return MStatus::kSuccess;
}

MStatus rscMeshShader::unbind(const MDrawRequest&, M3dView& view) {
    if (!view.beginGL())
        return MStatus::kFailure;
    const GlEntryPoints& gl = glEntryPoints();
    if (gl.glActiveTextureARB != nullptr) {
        gl.glActiveTextureARB(GL_TEXTURE3_ARB);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glDisable(GL_TEXTURE_2D);
        gl.glActiveTextureARB(GL_TEXTURE2_ARB);
        glDisable(GL_TEXTURE_2D);
        gl.glActiveTextureARB(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        gl.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    finishCombiner(m_path);
    glPopClientAttrib();
    glPopAttrib();
    view.endGL();
    return MStatus::kSuccess;
}

int rscMeshShader::colorsPerVertex() {
    return 0;
}

int rscMeshShader::texCoordsPerVertex() {
    return 4;
}

int rscMeshShader::getTexCoordSetNames(MStringArray& names) {
    for (const char* name : kUvSets)
        names.append(MString(name));
    return 4;
}

} // namespace vx
