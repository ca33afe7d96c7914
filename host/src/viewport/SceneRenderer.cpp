// The viewport's draw of the active scene into a framebuffer object, read back as an image.
#include <vornexhost/CameraProjection.h>
#include <vornexhost/GuideLines.h>
#include <vornexhost/MeshBatches.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ShaderAssignment.h>
#include <vornexhost/SurfaceLook.h>
#include <vornexhost/ViewportContext.h>
#include <vornexhost/ViewportRender.h>

#include <vornexgl/Framebuffer.h>

#include <maya/M3dView.h>
#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MDrawRequest.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MImage.h>
#include <maya/MItDag.h>
#include <maya/MMatrix.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPxHwShaderNode.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace vornexhost {

M3dView*& activeView();

namespace {

constexpr float kBackground[4] = {0.25f, 0.25f, 0.25f, 1.0f};

// The camera shape a name gives: the shape itself, or the first camera under a transform.
Node* findCamera(const std::string& name) {
    Node* node = activeScene().findNode(name);
    if (!node)
        return nullptr;
    if (node->apiType() == MFn::kCamera)
        return node;
    for (Node* child : node->children)
        if (child->apiType() == MFn::kCamera)
            return child;
    return nullptr;
}

MObject objectOf(const Node* node) {
    return MObject(std::const_pointer_cast<Object>(node->shared_from_this()));
}

bool isVisible(const MObject& node) {
    const MFnDagNode fn(node);
    bool visible = true;
    const MPlug plug = fn.findPlug("visibility");
    if (!plug.isNull())
        plug.getValue(visible);
    return visible;
}

// A relative file name that is not found as written is looked for beside the scene file.
std::string besideScene(const std::string& path) {
    struct stat info {};
    const std::string& scene = activeScene().currentFile;
    const std::size_t slash = scene.find_last_of('/');
    if (path.empty() || path[0] == '/' || ::stat(path.c_str(), &info) == 0 ||
        slash == std::string::npos)
        return path;
    return scene.substr(0, slash + 1) + path;
}

// File textures of host-drawn materials, loaded once per render.
class TextureSet {
public:
    ~TextureSet() {
        for (const auto& [path, name] : m_names)
            if (name != 0)
                glDeleteTextures(1, &name);
    }
    // The texture of an image file; 0 (with a warning once) when it cannot be read.
    GLuint get(const std::string& path) {
        const auto [it, added] = m_names.emplace(path, 0);
        if (!added)
            return it->second;
        MImage image;
        unsigned width = 0;
        unsigned height = 0;
        if (!image.readFromFile(MString(besideScene(path))) || !image.getSize(width, height)) {
            MGlobal::displayWarning(MString("viewport: cannot read the texture \"") + path.c_str() +
                                    "\"");
            return 0;
        }
        glGenTextures(1, &it->second);
        glBindTexture(GL_TEXTURE_2D, it->second);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                     static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, 0);
        return it->second;
    }

private:
    std::map<std::string, GLuint> m_names;
};

void setupLight() {
    // A directional light from the camera: set while the model-view matrix is the identity.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat direction[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_LIGHT0);
}

void setArrays(const MeshBatch& batch, bool normals, int uvSet) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, batch.positions.data());
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, batch.normals.data());
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (uvSet >= 0 && static_cast<std::size_t>(uvSet) < batch.uvs.size()) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, batch.uvs[static_cast<std::size_t>(uvSet)].data());
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void drawElements(const MeshBatch& batch) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT,
                   batch.indices.data());
}

class SceneDraw {
public:
    SceneDraw(const RenderSettings& settings, M3dView& view) : m_settings(settings), m_view(view) {}

    void drawShape(const MDagPath& path) {
        const std::vector<Node*> nodes = path.nodes();
        if (nodes.empty())
            return;
        const Node& shape = *nodes.back();
        const std::shared_ptr<const MeshGeometry> mesh = evaluateMesh(objectOf(&shape));
        if (!mesh || mesh->faceCount() == 0)
            return;
        const ShaderAssignment shading =
            shaderAssignment(shape, path.instanceNumber(), mesh->faceCount());
        std::vector<Node*> shaders;
        for (Node* engine : shading.engines)
            shaders.push_back(surfaceShaderOf(*engine));

        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixd(&m_viewMatrix.matrix[0][0]);
        const MMatrix world = path.inclusiveMatrix();
        glMultMatrixd(&world.matrix[0][0]);

        // Batches per list of UV sets, since each hardware shader names the sets it reads.
        std::map<std::vector<std::string>, std::vector<MeshBatch>> batchesByUvSets;
        auto batchesFor = [&](const std::vector<std::string>& names) -> std::vector<MeshBatch>& {
            auto it = batchesByUvSets.find(names);
            if (it == batchesByUvSets.end())
                it = batchesByUvSets.emplace(names, buildMeshBatches(*mesh, shading, names)).first;
            return it->second;
        };
        std::vector<int> engines;
        for (const MeshBatch& batch : batchesFor({}))
            engines.push_back(batch.engine);
        for (const int engine : engines) {
            Node* shader = engine >= 0 ? shaders[static_cast<std::size_t>(engine)] : nullptr;
            MPxHwShaderNode* hardware = shader && !m_settings.plainColor && !m_settings.wireframe
                                            ? dynamic_cast<MPxHwShaderNode*>(shader->userNode.get())
                                            : nullptr;
            if (hardware) {
                // The sets it names, no more than the coordinates per vertex it takes.
                MStringArray names;
                hardware->getTexCoordSetNames(names);
                const auto perVertex =
                    static_cast<unsigned>(std::max(0, hardware->texCoordsPerVertex()));
                std::vector<std::string> list;
                for (unsigned i = 0; i < names.length() && i < perVertex; ++i)
                    list.push_back(names[i].str());
                for (const MeshBatch& batch : batchesFor(list))
                    if (batch.engine == engine)
                        drawHardware(*hardware, path, batch, perVertex);
            } else {
                for (const MeshBatch& batch : batchesFor({}))
                    if (batch.engine == engine)
                        drawSurface(surfaceLook(shader), batch);
            }
        }
    }

    MMatrix m_viewMatrix;

private:
    static Node* surfaceShaderOf(const Node& engine) {
        const MFnDependencyNode fn(objectOf(&engine));
        MPlugArray sources;
        const MPlug plug = fn.findPlug("surfaceShader");
        if (plug.isNull() || !plug.connectedTo(sources, true, false) || sources.length() == 0)
            return nullptr;
        return dynamic_cast<Node*>(sources[0].node().impl().get());
    }

    void drawHardware(MPxHwShaderNode& shader, const MDagPath& path, const MeshBatch& batch,
                      unsigned uvArraysTaken) {
        const MDrawRequest request(path);
        if (!shader.bind(request, m_view))
            return;
        std::vector<const float*> uvArrays;
        for (std::size_t i = 0; i < batch.uvs.size() && i < uvArraysTaken; ++i)
            uvArrays.push_back(batch.uvs[i].data());
        const float* normals = batch.normals.data();
        const int normalCount = shader.normalsPerVertex() > 0 ? 1 : 0;
        shader.geometry(request, m_view, GL_TRIANGLES, 0, static_cast<int>(batch.indices.size()),
                        batch.indices.data(), static_cast<int>(batch.vertexIds.size()),
                        batch.vertexIds.data(), batch.positions.data(), normalCount, &normals, 0,
                        nullptr, static_cast<int>(uvArrays.size()), uvArrays.data());
        shader.unbind(request, m_view);
        // Whatever client arrays the shader left enabled must not leak into the next draw.
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }

    void drawSurface(const SurfaceLook& look, const MeshBatch& batch) {
        const GLfloat diffuse[4] = {look.color[0], look.color[1], look.color[2], 1.0f};
        if (m_settings.wireframe) {
            glDisable(GL_LIGHTING);
            glColor4fv(diffuse);
            setArrays(batch, false, -1);
            drawElements(batch);
            return;
        }
        glEnable(GL_LIGHTING);
        const GLfloat specular[4] = {look.specular[0], look.specular[1], look.specular[2], 1.0f};
        const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, look.shininess);
        const GLuint texture = m_settings.plainColor || look.texturePath.empty()
                                   ? 0
                                   : m_textures.get(look.texturePath);
        if (texture != 0) {
            // The texture is the colour: lighting modulates it.
            const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
            glActiveTexture(GL_TEXTURE0);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, texture);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        } else {
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        }
        setArrays(batch, true, texture != 0 ? 0 : -1);
        drawElements(batch);
        if (texture != 0) {
            glBindTexture(GL_TEXTURE_2D, 0);
            glDisable(GL_TEXTURE_2D);
        }
    }

    const RenderSettings& m_settings;
    M3dView& m_view;
    TextureSet m_textures;
};

// The smallest sphere around the box of every visible mesh's points, in world space.
struct Bounds {
    bool empty = true;
    double low[3] = {0, 0, 0};
    double high[3] = {0, 0, 0};
    void add(const double p[3]) {
        for (int k = 0; k < 3; ++k) {
            low[k] = empty ? p[k] : std::min(low[k], p[k]);
            high[k] = empty ? p[k] : std::max(high[k], p[k]);
        }
        empty = false;
    }
};

// Every visible DAG object that is not an intermediate object, once per instance.
template <typename F>
void forEachVisibleObject(F&& visit) {
    for (MItDag it(MItDag::kDepthFirst); !it.isDone(); it.next()) {
        MObject node = it.currentItem();
        if (!isVisible(node)) {
            it.prune();
            continue;
        }
        if (MFnDagNode(node).isIntermediateObject())
            continue;
        MDagPath path;
        it.getPath(path);
        visit(path, node);
    }
}

// The lines of every visible joint, curve and locator.
GuideLines sceneGuides() {
    GuideLines guides;
    forEachVisibleObject(
        [&](const MDagPath& path, const MObject&) { addGuideLines(path, guides); });
    return guides;
}

Bounds sceneBounds(const GuideLines& guides) {
    Bounds bounds;
    forEachVisibleObject([&](const MDagPath& path, const MObject& node) {
        if (!node.hasFn(MFn::kMesh))
            return;
        const auto mesh = evaluateMesh(node);
        if (!mesh)
            return;
        const MMatrix world = path.inclusiveMatrix();
        for (std::size_t v = 0; v + 2 < mesh->points.size(); v += 3) {
            const double* p = &mesh->points[v];
            double q[3];
            for (int k = 0; k < 3; ++k)
                q[k] = p[0] * world.matrix[0][k] + p[1] * world.matrix[1][k] +
                       p[2] * world.matrix[2][k] + world.matrix[3][k];
            bounds.add(q);
        }
    });
    for (std::size_t i = 0; i + 2 < guides.points.size(); i += 3) {
        const double q[3] = {static_cast<double>(guides.points[i]),
                             static_cast<double>(guides.points[i + 1]),
                             static_cast<double>(guides.points[i + 2])};
        bounds.add(q);
    }
    return bounds;
}

void drawGuides(const GuideLines& guides, const MMatrix& view) {
    if (guides.points.empty())
        return;
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(&view.matrix[0][0]);
    glDisable(GL_LIGHTING);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, guides.points.data());
    glColorPointer(3, GL_FLOAT, 0, guides.colors.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(guides.points.size() / 3));
    glDisableClientState(GL_COLOR_ARRAY);
}

bool cameraSetup(Node& cameraShape, const RenderSettings& settings, const GuideLines& guides,
                 MMatrix& viewMatrix, std::string& error) {
    const MObject object = objectOf(&cameraShape);
    const MFnCamera camera(object);
    CameraLens lens;
    lens.orthographic = camera.isOrtho();
    lens.fit = static_cast<CameraLens::Fit>(camera.filmFit());
    lens.focalLength = camera.focalLength();
    lens.horizontalFilmAperture = camera.horizontalFilmAperture();
    lens.verticalFilmAperture = camera.verticalFilmAperture();
    lens.orthographicWidth = camera.orthoWidth();
    lens.nearClip = camera.nearClippingPlane();
    lens.farClip = camera.farClippingPlane();
    MDagPath path;
    MDagPath::getAPathTo(object, path);
    MMatrix world = path.inclusiveMatrix();
    const Bounds bounds = settings.fitAll ? sceneBounds(guides) : Bounds();
    double radius = 0.0;
    double centre[3] = {0, 0, 0};
    if (!bounds.empty) {
        for (int k = 0; k < 3; ++k) {
            centre[k] = (bounds.low[k] + bounds.high[k]) / 2.0;
            radius += (bounds.high[k] - bounds.low[k]) * (bounds.high[k] - bounds.low[k]) / 4.0;
        }
        radius = std::max(std::sqrt(radius), 1e-3);
        if (lens.orthographic) {
            const double aspect = double(settings.width) / settings.height;
            lens.orthographicWidth = 2.0 * radius * std::max(1.0, aspect);
        }
    }
    ViewVolume volume;
    if (!viewVolume(lens, settings.width, settings.height, volume)) {
        error = "the camera \"" + cameraShape.name() +
                "\" has no usable lens (focal length, film aperture, width or clip planes)";
        return false;
    }
    if (!bounds.empty) {
        // Back off along the view (the camera looks down its -Z axis) until the sphere fits.
        double distance = 2.0 * radius;
        if (!volume.orthographic) {
            const double tangent = std::min(volume.right, volume.top) / volume.nearClip;
            distance = radius * std::sqrt(1.0 + tangent * tangent) / tangent;
        }
        for (int k = 0; k < 3; ++k)
            world.matrix[3][k] = centre[k] + world.matrix[2][k] * distance;
        const double nearClip = std::max(distance - 1.5 * radius, distance * 1e-3);
        const double scale = volume.orthographic ? 1.0 : nearClip / volume.nearClip;
        volume.left *= scale;
        volume.right *= scale;
        volume.bottom *= scale;
        volume.top *= scale;
        volume.nearClip = nearClip;
        volume.farClip = distance + 1.5 * radius;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (volume.orthographic)
        glOrtho(volume.left, volume.right, volume.bottom, volume.top, volume.nearClip,
                volume.farClip);
    else
        glFrustum(volume.left, volume.right, volume.bottom, volume.top, volume.nearClip,
                  volume.farClip);
    viewMatrix = world.inverse();
    return true;
}

} // namespace

bool renderActiveScene(const RenderSettings& settings, RenderedImage& image, std::string& error) {
    if (settings.width <= 0 || settings.height <= 0 || settings.width > kMaxRenderSize ||
        settings.height > kMaxRenderSize) {
        error = "the image size must be from 1 x 1 to " + std::to_string(kMaxRenderSize) + " x " +
                std::to_string(kMaxRenderSize);
        return false;
    }
    RenderSettings used = settings;
    Node* camera = findCamera(used.camera);
    if (settings.fitUnsavedCamera && (!camera || camera->startupDefault)) {
        if (!camera) {
            used.camera = kDefaultCamera;
            camera = findCamera(used.camera);
        }
        used.fitAll = true;
    }
    if (!camera) {
        error = "no camera \"" + used.camera + "\" in the scene";
        return false;
    }
    if (settings.hasFrame)
        MAnimControl::setCurrentTime(MTime(settings.frame, MTime::uiUnit()));
    if (!viewportContext(error))
        return false;
    vxgl::Framebuffer framebuffer(settings.width, settings.height);
    if (!framebuffer.complete()) {
        error = "the viewport cannot draw an image of " + std::to_string(settings.width) + " x " +
                std::to_string(settings.height);
        return false;
    }
    glViewport(0, 0, settings.width, settings.height);
    glClearColor(kBackground[0], kBackground[1], kBackground[2], kBackground[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, settings.wireframe ? GL_LINE : GL_FILL);

    M3dView view(settings.width, settings.height);
    SceneDraw draw(settings, view);
    const GuideLines guides = sceneGuides();
    if (!cameraSetup(*camera, used, guides, draw.m_viewMatrix, error))
        return false;
    setupLight();
    glEnable(GL_LIGHTING);

    activeView() = &view;
    forEachVisibleObject([&](const MDagPath& path, const MObject& node) {
        if (node.hasFn(MFn::kMesh))
            draw.drawShape(path);
    });
    activeView() = nullptr;
    drawGuides(guides, draw.m_viewMatrix);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glFinish();

    image.width = settings.width;
    image.height = settings.height;
    image.camera = used.camera;
    image.fitted = used.fitAll;
    image.rgba = framebuffer.readTopDown();
    return true;
}

} // namespace vornexhost
