#include "tools/render/GameMeshDraw.h"

#include "tools/convert/AxisMapping.h"
#include "tools/convert/DrawRange.h"
#include "tools/convert/TextureLookup.h"
#include "tools/info/MaterialAlpha.h"

#include <vornexgl/Framebuffer.h>
#include <vornexhost/ViewportContext.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

namespace vx::render {

using convert::DrawRange;

namespace {

constexpr float kBackground[4] = {0.25f, 0.25f, 0.25f, 1.0f};
constexpr float kFieldOfView = 40.0f; // degrees, vertical

// What one material range draws: world positions (mirrored into OpenGL's right-handed space),
// normals, the first UV set, and its texture.
struct Batch {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> uvs;
    std::vector<std::uint32_t> indices;
    GLuint texture = 0;
    meshfile::MaterialAlpha alpha = meshfile::MaterialAlpha::Opaque;
};

// The framebuffer drawn into, and the textures uploaded for this draw.
class OffscreenTarget {
public:
    OffscreenTarget(int width, int height) : m_framebuffer(width, height) {}
    ~OffscreenTarget() {
        glDeleteTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;
    bool complete() const { return m_framebuffer.complete(); }
    std::vector<unsigned char> pixels() const { return m_framebuffer.readTopDown(); }
    // Textures live as long as the target.
    GLuint upload(const vximage::RgbaImage& image) {
        GLuint name = 0;
        glGenTextures(1, &name);
        m_textures.push_back(name);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(image.width),
                     static_cast<GLsizei>(image.height), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     image.pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, 0);
        return name;
    }

private:
    vxgl::Framebuffer m_framebuffer;
    std::vector<GLuint> m_textures;
};

void appendRange(const DrawRange& range, const Matrix& place, Batch& batch) {
    const auto base = static_cast<std::uint32_t>(batch.positions.size() / 3);
    for (std::size_t v = 0; v < range.positions.size(); ++v) {
        const Vector3 p = convert::mirrorPoint(place.transformPoint(range.positions[v]));
        batch.positions.insert(batch.positions.end(), {p.x, p.y, p.z});
        const Vector3 n = range.normals.empty()
                              ? Vector3{0, 1, 0}
                              : convert::mirrorPoint(place.transformVector(range.normals[v]));
        batch.normals.insert(batch.normals.end(), {n.x, n.y, n.z});
        const std::array<float, 2> uv =
            range.uvSets.empty() ? std::array<float, 2>{0, 0} : range.uvSets[0][v];
        batch.uvs.insert(batch.uvs.end(), {uv[0], uv[1]});
    }
    for (std::uint32_t i : range.indices)
        batch.indices.push_back(base + i);
}

void setupView(const std::vector<Batch>& batches, int width, int height) {
    float lo[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                   std::numeric_limits<float>::max()};
    float hi[3] = {std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
                   std::numeric_limits<float>::lowest()};
    for (const Batch& b : batches)
        for (std::size_t i = 0; i < b.positions.size(); ++i) {
            lo[i % 3] = std::min(lo[i % 3], b.positions[i]);
            hi[i % 3] = std::max(hi[i % 3], b.positions[i]);
        }
    if (lo[0] > hi[0])
        for (int c = 0; c < 3; ++c)
            lo[c] = hi[c] = 0.0f;
    const float center[3] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
    const float radius = std::max(0.5f * std::sqrt((hi[0] - lo[0]) * (hi[0] - lo[0]) +
                                                   (hi[1] - lo[1]) * (hi[1] - lo[1]) +
                                                   (hi[2] - lo[2]) * (hi[2] - lo[2])),
                                  1e-3f);
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    const float halfY = std::tan(kFieldOfView * 0.5f * 3.14159265f / 180.0f);
    // Far enough that the bounding sphere fits the narrower of the two angles.
    const float halfNarrow = std::min(halfY, halfY * aspect);
    const float distance = radius / std::sin(std::atan(halfNarrow)) * 1.05f;
    const float nearPlane = std::max(distance - radius * 1.5f, distance * 1e-3f);
    const float farPlane = distance + radius * 1.5f;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double right = static_cast<double>(halfY * aspect * nearPlane);
    const double top = static_cast<double>(halfY * nearPlane);
    glFrustum(-right, right, -top, top, static_cast<double>(nearPlane),
              static_cast<double>(farPlane));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The light is set while the view is the identity, so it shines from the camera.
    const GLfloat direction[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_LIGHT0);
    // Seen from the front (the game's -z, +z after the mirror), a little right and above.
    glTranslatef(0.0f, 0.0f, -distance);
    glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(-30.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(-center[0], -center[1], -center[2]);
}

void drawBatch(const Batch& batch) {
    if (batch.indices.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, batch.positions.data());
    glNormalPointer(GL_FLOAT, 0, batch.normals.data());
    glTexCoordPointer(2, GL_FLOAT, 0, batch.uvs.data());
    if (batch.texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, batch.texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    if (batch.alpha == meshfile::MaterialAlpha::Tested) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    } else {
        glDisable(GL_ALPHA_TEST);
    }
    if (batch.alpha == meshfile::MaterialAlpha::Blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
    } else {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT,
                   batch.indices.data());
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

bool drawGameMesh(const meshfile::MeshFile& file, const GameMeshDrawSettings& settings,
                  vornexhost::RenderedImage& image, std::ostream& warnings, std::string& error) {
    if (file.materials.empty() || settings.lod >= file.materials[0].size()) {
        error = "the file has " +
                std::to_string(file.materials.empty() ? 0 : file.materials[0].size()) +
                " LODs; there is no LOD " + std::to_string(settings.lod);
        return false;
    }
    if (settings.width <= 0 || settings.height <= 0 ||
        settings.width > vornexhost::kMaxRenderSize ||
        settings.height > vornexhost::kMaxRenderSize) {
        error = "the picture's size is out of range";
        return false;
    }
    if (!vornexhost::viewportContext(error))
        return false;
    OffscreenTarget target(settings.width, settings.height);
    if (!target.complete()) {
        error = "the offscreen framebuffer cannot be made";
        return false;
    }
    std::map<std::string, GLuint> textures;
    auto textureFor = [&](const meshfile::MaterialRecord& m) -> GLuint {
        if (m.textures.empty() || settings.textureFolder.empty())
            return 0;
        const auto [it, added] = textures.emplace(m.textures.front(), 0);
        if (!added)
            return it->second;
        vximage::RgbaImage decoded;
        std::string why;
        if (!convert::loadTexture(settings.textureFolder, m.textures.front(), decoded, why))
            warnings << "warning: " << why << "; drawn untextured\n";
        else
            it->second = target.upload(decoded);
        return it->second;
    };

    // Opaque and tested ranges first, blended ones over them.
    std::vector<Batch> batches;
    for (const meshfile::MaterialRecord& m : file.materials[0][settings.lod]) {
        DrawRange range;
        if (!convert::decodeDrawRange(file, m, range, error))
            return false;
        Batch batch;
        batch.alpha = meshfile::materialAlpha(file, m);
        batch.texture = textureFor(m);
        if (file.kind == meshfile::MeshKind::Bundled && settings.parts) {
            for (const auto& [part, split] : convert::splitByPart(range)) {
                const auto placed = settings.parts->find(part);
                appendRange(split,
                            placed == settings.parts->end() ? Matrix::identity() : placed->second,
                            batch);
            }
        } else {
            appendRange(range, Matrix::identity(), batch);
        }
        batches.push_back(std::move(batch));
    }
    std::stable_partition(batches.begin(), batches.end(), [](const Batch& b) {
        return b.alpha != meshfile::MaterialAlpha::Blended;
    });

    glViewport(0, 0, settings.width, settings.height);
    glClearColor(kBackground[0], kBackground[1], kBackground[2], kBackground[3]);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    setupView(batches, settings.width, settings.height);
    for (const Batch& batch : batches)
        drawBatch(batch);
    glFinish();

    image.width = settings.width;
    image.height = settings.height;
    image.rgba = target.pixels();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDepthMask(GL_TRUE);
    return true;
}

} // namespace vx::render
