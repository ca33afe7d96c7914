#include "ShaderNode/LayerCombiner.h"

#include "Vornex/GlExtensions.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <optional>

namespace vx {
namespace {

std::optional<CombinerPath>& forcedPath() {
    static std::optional<CombinerPath> path;
    return path;
}

bool contextRunsGlsl() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    return version != nullptr && std::sscanf(version, "%d", &major) == 1 && major >= 2;
}

constexpr const char* kFragmentProgram = R"(#version 120
uniform sampler2D layer0;
uniform sampler2D layer1;
uniform sampler2D layer2;
uniform sampler2D layer3;
uniform vec4 textured;
uniform vec3 constantProduct;
void main() {
    vec3 rgb = gl_Color.rgb * constantProduct;
    float alpha = gl_Color.a;
    if (textured.x > 0.5) {
        vec4 t = texture2D(layer0, gl_TexCoord[0].st);
        rgb *= t.rgb;
        alpha *= t.a;
    }
    if (textured.y > 0.5)
        rgb *= texture2D(layer1, gl_TexCoord[1].st).rgb;
    if (textured.z > 0.5)
        rgb *= texture2D(layer2, gl_TexCoord[2].st).rgb;
    if (textured.w > 0.5)
        rgb *= texture2D(layer3, gl_TexCoord[3].st).rgb;
    gl_FragColor = vec4(rgb, alpha);
}
)";

// The fragment program, compiled once per process (the host has one viewport context); 0 when
// it does not compile, and then the texture environment draws instead.
GLuint fragmentProgram() {
    static GLuint program = 0;
    static bool tried = false;
    if (tried)
        return program;
    // Without a context there is nothing to compile yet; a GL 1 context never runs GLSL.
    if (glGetString(GL_VERSION) == nullptr)
        return 0;
    tried = true;
    if (!contextRunsGlsl())
        return 0;
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    glShaderSource(shader, 1, &kFragmentProgram, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) {
        program = glCreateProgram();
        glAttachShader(program, shader);
        glLinkProgram(program);
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    glDeleteShader(shader);
    return program;
}

void setDiffuse(const std::array<float, 3>& rgb) {
    const GLfloat diffuse[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
}

void programGlsl(const LayerSetup& setup) {
    const GLuint program = fragmentProgram();
    glUseProgram(program);
    const char* samplers[4] = {"layer0", "layer1", "layer2", "layer3"};
    for (int unit = 0; unit < 4; ++unit)
        glUniform1i(glGetUniformLocation(program, samplers[unit]), unit);
    glUniform4f(glGetUniformLocation(program, "textured"), setup.textured[0] ? 1.0f : 0.0f,
                setup.textured[1] ? 1.0f : 0.0f, setup.textured[2] ? 1.0f : 0.0f,
                setup.textured[3] ? 1.0f : 0.0f);
    const std::array<float, 3> product = setup.constantProduct();
    glUniform3f(glGetUniformLocation(program, "constantProduct"), product[0], product[1],
                product[2]);
}

void programTextureEnvironment(const LayerSetup& setup) {
    setDiffuse(setup.constantProduct());
    const GlEntryPoints& gl = glEntryPoints();
    for (int unit = 0; unit < 4; ++unit) {
        if (!setup.textured[static_cast<std::size_t>(unit)])
            continue;
        if (gl.glActiveTextureARB != nullptr)
            gl.glActiveTextureARB(static_cast<GLenum>(GL_TEXTURE0_ARB + unit));
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    if (gl.glActiveTextureARB != nullptr)
        gl.glActiveTextureARB(GL_TEXTURE0_ARB);
}

// Four general stages, one per unit: spare0 = previous (the lit colour at stage 0) times the
// unit's texture, or times one where the unit is bare. The final combiner passes spare0 on.
void programRegisterCombiners(const LayerSetup& setup) {
    setDiffuse(setup.constantProduct());
    const GlEntryPoints& gl = glEntryPoints();
    gl.glCombinerParameteriNV(GL_NUM_GENERAL_COMBINERS_NV, 4);
    for (int stage = 0; stage < 4; ++stage) {
        const auto combiner = static_cast<GLenum>(GL_COMBINER0_NV + stage);
        const bool textured = setup.textured[static_cast<std::size_t>(stage)];
        const GLenum texture = static_cast<GLenum>(GL_TEXTURE0_ARB + stage);
        const GLenum previous = stage == 0 ? GL_PRIMARY_COLOR_NV : GL_SPARE0_NV;
        gl.glCombinerInputNV(combiner, GL_RGB, GL_VARIABLE_A_NV, previous, GL_UNSIGNED_IDENTITY_NV,
                             GL_RGB);
        gl.glCombinerInputNV(combiner, GL_RGB, GL_VARIABLE_B_NV, textured ? texture : GL_ZERO,
                             textured ? GL_UNSIGNED_IDENTITY_NV : GL_UNSIGNED_INVERT_NV, GL_RGB);
        gl.glCombinerOutputNV(combiner, GL_RGB, GL_SPARE0_NV, GL_DISCARD_NV, GL_DISCARD_NV, GL_NONE,
                              GL_NONE, GL_FALSE, GL_FALSE, GL_FALSE);
        const bool alphaTexture = stage == 0 && textured;
        gl.glCombinerInputNV(combiner, GL_ALPHA, GL_VARIABLE_A_NV, previous,
                             GL_UNSIGNED_IDENTITY_NV, GL_ALPHA);
        gl.glCombinerInputNV(combiner, GL_ALPHA, GL_VARIABLE_B_NV, alphaTexture ? texture : GL_ZERO,
                             alphaTexture ? GL_UNSIGNED_IDENTITY_NV : GL_UNSIGNED_INVERT_NV,
                             GL_ALPHA);
        gl.glCombinerOutputNV(combiner, GL_ALPHA, GL_SPARE0_NV, GL_DISCARD_NV, GL_DISCARD_NV,
                              GL_NONE, GL_NONE, GL_FALSE, GL_FALSE, GL_FALSE);
    }
    // Final: A * B + (1 - A) * C + D with B = 1 and C = D = 0 is spare0.
    gl.glFinalCombinerInputNV(GL_VARIABLE_A_NV, GL_SPARE0_NV, GL_UNSIGNED_IDENTITY_NV, GL_RGB);
    gl.glFinalCombinerInputNV(GL_VARIABLE_B_NV, GL_ZERO, GL_UNSIGNED_INVERT_NV, GL_RGB);
    gl.glFinalCombinerInputNV(GL_VARIABLE_C_NV, GL_ZERO, GL_UNSIGNED_IDENTITY_NV, GL_RGB);
    gl.glFinalCombinerInputNV(GL_VARIABLE_D_NV, GL_ZERO, GL_UNSIGNED_IDENTITY_NV, GL_RGB);
    gl.glFinalCombinerInputNV(GL_VARIABLE_G_NV, GL_SPARE0_NV, GL_UNSIGNED_IDENTITY_NV, GL_ALPHA);
}

} // namespace

std::array<float, 3> LayerSetup::constantProduct() const {
    std::array<float, 3> product{};
    for (std::size_t c = 0; c < 3; ++c) {
        float p = detailTint[c] * crackTint[c];
        for (std::size_t unit = 0; unit < 4; ++unit)
            if (!textured[unit])
                p *= constants[unit][c];
        product[c] = p;
    }
    return product;
}

CombinerPath chooseCombinerPath() {
    if (forcedPath())
        return *forcedPath();
    if (isGlExtensionLoaded("GL_NV_register_combiners"))
        return CombinerPath::RegisterCombiners;
    if (contextRunsGlsl() && fragmentProgram() != 0)
        return CombinerPath::Glsl;
    return CombinerPath::TextureEnvironment;
}

void forceCombinerPath(const CombinerPath* path) {
    forcedPath() = path ? std::optional<CombinerPath>(*path) : std::nullopt;
}

void programCombiner(CombinerPath path, const LayerSetup& setup) {
    switch (path) {
    case CombinerPath::RegisterCombiners:
        // Never without the extension's entry points: fall back to the texture environment.
        if (isGlExtensionLoaded("GL_NV_register_combiners")) {
            programRegisterCombiners(setup);
            return;
        }
        break;
    case CombinerPath::Glsl:
        if (fragmentProgram() != 0) {
            programGlsl(setup);
            return;
        }
        break;
    case CombinerPath::TextureEnvironment:
        break;
    }
    programTextureEnvironment(setup);
}

void finishCombiner(CombinerPath path) {
    if (path == CombinerPath::Glsl && fragmentProgram() != 0)
        glUseProgram(0);
}

} // namespace vx
