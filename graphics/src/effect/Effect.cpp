#include "effect/Effect.h"

#include "Shared/Base/File/FileReads.h"
#include "d3dx9tex.h"
#include "device/Device.h"
#include "device/FailureReason.h"

#include <cstring>
#include <fstream>

namespace vornexgfx {
namespace {

const char* typeName(GLenum type) {
    switch (type) {
    case GL_FLOAT:
        return "float";
    case GL_FLOAT_VEC2:
        return "vec2";
    case GL_FLOAT_VEC3:
        return "vec3";
    case GL_FLOAT_VEC4:
        return "vec4";
    case GL_SAMPLER_2D:
        return "sampler2D";
    default:
        return "an unsupported type";
    }
}

int components(GLenum type) {
    switch (type) {
    case GL_FLOAT:
        return 1;
    case GL_FLOAT_VEC2:
        return 2;
    case GL_FLOAT_VEC3:
        return 3;
    case GL_FLOAT_VEC4:
        return 4;
    default:
        return 0;
    }
}

std::string infoLog(GLuint object, bool program) {
    GLint length = 0;
    if (program)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    if (program)
        glGetProgramInfoLog(object, length, nullptr, log.data());
    else
        glGetShaderInfoLog(object, length, nullptr, log.data());
    log.resize(std::strlen(log.c_str()));
    return log;
}

GLuint compile(GLenum kind, const std::string& prelude, const EffectStage& stage,
               std::string& log) {
    const std::string source =
        prelude + "#line " + std::to_string(stage.firstLine) + "\n" + stage.code;
    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        log = infoLog(shader, false);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

} // namespace

Effect* Effect::create(std::shared_ptr<RenderCore> core, const EffectSource& source,
                       const std::string& prelude, const std::string& path, std::string& error) {
    auto* effect = new Effect(std::move(core));
    effect->m_core->use();
    effect->m_techniques.reserve(source.techniques.size());
    for (const EffectTechnique& t : source.techniques) {
        effect->m_techniques.push_back({t.name, {}});
        for (const EffectPass& p : t.passes) {
            if (!effect->addPass(effect->m_techniques.back(), p, prelude, path, error)) {
                effect->Release();
                return nullptr;
            }
        }
    }
    for (const EffectSampler& s : source.samplers) {
        Parameter* target = nullptr;
        for (Parameter& candidate : effect->m_parameters)
            if (candidate.name == s.name && candidate.type == GL_SAMPLER_2D)
                target = &candidate;
        if (!target) {
            error = path + ": sampler '" + s.name + "' names no sampler2D uniform of any pass";
            effect->Release();
            return nullptr;
        }
        target->filter = s.filter;
        target->address = s.address;
    }
    return effect;
}

bool Effect::addPass(Technique& technique, const EffectPass& source, const std::string& prelude,
                     const std::string& path, std::string& error) {
    const std::string where = path + ": technique '" + technique.name + "', pass '" + source.name;
    std::string log;
    const GLuint vertex = compile(GL_VERTEX_SHADER, prelude, source.vertex, log);
    if (!vertex) {
        error = where + "': the vertex block does not compile:\n" + log;
        return false;
    }
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, prelude, source.fragment, log);
    if (!fragment) {
        glDeleteShader(vertex);
        error = where + "': the fragment block does not compile:\n" + log;
        return false;
    }
    Pass pass;
    pass.program = glCreateProgram();
    // Kept in the technique at once, so a failure below still deletes the program.
    technique.passes.push_back(pass);
    glAttachShader(pass.program, vertex);
    glAttachShader(pass.program, fragment);
    glLinkProgram(pass.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(pass.program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        error = where + "' does not link:\n" + infoLog(pass.program, true);
        return false;
    }
    GLint count = 0;
    glGetProgramiv(pass.program, GL_ACTIVE_UNIFORMS, &count);
    GLint nextUnit = 0;
    for (GLint i = 0; i < count; ++i) {
        char buffer[256];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(pass.program, static_cast<GLuint>(i), sizeof buffer, &length, &size,
                           &type, buffer);
        std::string name(buffer, static_cast<std::size_t>(length));
        if (name.rfind("gl_", 0) == 0)
            continue;
        if (name.size() > 3 && name.compare(name.size() - 3, 3, "[0]") == 0)
            name.resize(name.size() - 3);
        std::size_t index = 0;
        while (index < m_parameters.size() && m_parameters[index].name != name)
            ++index;
        if (index == m_parameters.size()) {
            Parameter parameter;
            parameter.name = name;
            parameter.type = type;
            m_parameters.push_back(std::move(parameter));
        } else if (m_parameters[index].type != type) {
            error = where + "': parameter '" + name + "' is " + typeName(type) + " here but " +
                    typeName(m_parameters[index].type) + " in an earlier pass";
            return false;
        }
        PassUniform uniform;
        uniform.parameter = index;
        uniform.location = glGetUniformLocation(pass.program, name.c_str());
        if (type == GL_SAMPLER_2D) {
            uniform.unit = nextUnit++;
            glProgramUniform1i(pass.program, uniform.location, uniform.unit);
        }
        technique.passes.back().uniforms.push_back(uniform);
    }
    return true;
}

Effect::~Effect() {
    m_core->use();
    for (const Technique& t : m_techniques) {
        for (const Pass& p : t.passes) {
            if (m_core->activeProgram == p.program)
                m_core->activeProgram = 0;
            glDeleteProgram(p.program);
        }
    }
}

int Effect::technique(D3DXHANDLE handle) const {
    if (!handle)
        return -1;
    for (std::size_t i = 0; i < m_techniques.size(); ++i)
        if (handle == m_techniques[i].name.c_str())
            return static_cast<int>(i);
    for (std::size_t i = 0; i < m_techniques.size(); ++i)
        if (m_techniques[i].name == handle)
            return static_cast<int>(i);
    return -1;
}

Effect::Parameter* Effect::parameter(D3DXHANDLE handle) {
    if (!handle)
        return nullptr;
    for (Parameter& p : m_parameters)
        if (handle == p.name.c_str())
            return &p;
    for (Parameter& p : m_parameters)
        if (p.name == handle)
            return &p;
    return nullptr;
}

D3DXHANDLE Effect::GetTechniqueByName(LPCSTR name) {
    const int index = name ? technique(name) : -1;
    return index < 0 ? nullptr : m_techniques[static_cast<std::size_t>(index)].name.c_str();
}

D3DXHANDLE Effect::GetParameterByName(D3DXHANDLE parent, LPCSTR name) {
    if (parent || !name)
        return nullptr;
    const Parameter* p = parameter(name);
    return p ? p->name.c_str() : nullptr;
}

HRESULT Effect::ValidateTechnique(D3DXHANDLE handle) {
    return technique(handle) < 0 ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT Effect::SetTechnique(D3DXHANDLE handle) {
    const int index = technique(handle);
    if (index < 0 || m_begun)
        return D3DERR_INVALIDCALL;
    m_current = static_cast<std::size_t>(index);
    return D3D_OK;
}

D3DXHANDLE Effect::GetCurrentTechnique() {
    return m_techniques[m_current].name.c_str();
}

HRESULT Effect::SetTexture(D3DXHANDLE handle, IDirect3DBaseTexture9* texture) {
    Parameter* p = parameter(handle);
    auto* own = dynamic_cast<Texture*>(texture);
    if (!p || p->type != GL_SAMPLER_2D || (texture && !own) ||
        (own && &own->storage().core() != m_core.get()))
        return D3DERR_INVALIDCALL;
    p->texture = Held<Texture>(own);
    return D3D_OK;
}

HRESULT Effect::SetVector(D3DXHANDLE handle, const D3DXVECTOR4* vector) {
    Parameter* p = parameter(handle);
    if (!p || !vector || components(p->type) == 0)
        return D3DERR_INVALIDCALL;
    p->value = {vector->x, vector->y, vector->z, vector->w};
    return D3D_OK;
}

HRESULT Effect::SetFloat(D3DXHANDLE handle, FLOAT value) {
    Parameter* p = parameter(handle);
    if (!p || p->type != GL_FLOAT)
        return D3DERR_INVALIDCALL;
    p->value = {value, 0.0f, 0.0f, 0.0f};
    return D3D_OK;
}

HRESULT Effect::Begin(UINT* passes, DWORD) {
    if (m_begun)
        return D3DERR_INVALIDCALL;
    m_begun = true;
    if (passes)
        *passes = static_cast<UINT>(m_techniques[m_current].passes.size());
    return D3D_OK;
}

HRESULT Effect::BeginPass(UINT pass) {
    if (!m_begun || m_pass >= 0 || pass >= m_techniques[m_current].passes.size())
        return D3DERR_INVALIDCALL;
    m_pass = static_cast<int>(pass);
    m_core->use();
    const GLuint program = m_techniques[m_current].passes[pass].program;
    glUseProgram(program);
    m_core->activeProgram = program;
    return CommitChanges();
}

HRESULT Effect::CommitChanges() {
    if (m_pass < 0)
        return D3DERR_INVALIDCALL;
    const Pass& pass = m_techniques[m_current].passes[static_cast<std::size_t>(m_pass)];
    m_core->use();
    for (const PassUniform& u : pass.uniforms) {
        const Parameter& p = m_parameters[u.parameter];
        switch (p.type) {
        case GL_FLOAT:
            glProgramUniform1fv(pass.program, u.location, 1, p.value.data());
            break;
        case GL_FLOAT_VEC2:
            glProgramUniform2fv(pass.program, u.location, 1, p.value.data());
            break;
        case GL_FLOAT_VEC3:
            glProgramUniform3fv(pass.program, u.location, 1, p.value.data());
            break;
        case GL_FLOAT_VEC4:
            glProgramUniform4fv(pass.program, u.location, 1, p.value.data());
            break;
        case GL_SAMPLER_2D: {
            const auto unit = static_cast<GLuint>(u.unit);
            glBindTextureUnit(unit, p.texture ? p.texture->storage().name() : 0);
            glBindSampler(unit, m_core->sampler(p.filter, p.address));
            break;
        }
        default:
            break;
        }
    }
    return D3D_OK;
}

HRESULT Effect::EndPass() {
    if (m_pass < 0)
        return D3DERR_INVALIDCALL;
    m_pass = -1;
    m_core->use();
    glUseProgram(0);
    m_core->activeProgram = 0;
    return D3D_OK;
}

HRESULT Effect::End() {
    if (!m_begun)
        return D3DERR_INVALIDCALL;
    if (m_pass >= 0)
        EndPass();
    m_begun = false;
    return D3D_OK;
}

} // namespace vornexgfx

HRESULT D3DXCreateEffectFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                  const D3DXMACRO* pDefines, LPD3DXINCLUDE, DWORD, LPD3DXEFFECTPOOL,
                                  LPD3DXEFFECT* ppEffect, LPD3DXBUFFER* ppCompilationErrors) {
    using namespace vornexgfx;
    if (ppCompilationErrors)
        *ppCompilationErrors = nullptr;
    if (!ppEffect || !pSrcFile)
        return D3DERR_INVALIDCALL;
    *ppEffect = nullptr;
    auto* device = dynamic_cast<Device*>(pDevice);
    if (!device || !device->core())
        return D3DERR_INVALIDCALL;
    const std::string path = pSrcFile;
    std::string error;
    std::string text;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot open the file";
    } else {
        vx::recordFileRead(path.c_str());
        // One byte past the limit is enough for the parser to refuse an oversized file.
        text.resize(kMaxEffectFileBytes + 1);
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(file.gcount()));
        if (file.bad())
            error = path + ": cannot read the file";
    }
    EffectSource source;
    Effect* effect = nullptr;
    if (error.empty() && parseEffect(text, path, source, error)) {
        std::string prelude = "#version 330 core\n";
        for (const D3DXMACRO* m = pDefines; m && m->Name; ++m)
            prelude += std::string("#define ") + m->Name + " " +
                       (m->Definition ? m->Definition : "") + "\n";
        effect = Effect::create(device->core(), source, prelude, path, error);
    }
    if (!effect) {
        if (ppCompilationErrors &&
            D3DXCreateBuffer(static_cast<DWORD>(error.size() + 1), ppCompilationErrors) == D3D_OK)
            std::memcpy((*ppCompilationErrors)->GetBufferPointer(), error.c_str(),
                        error.size() + 1);
        return failWith(D3DXERR_INVALIDDATA, error);
    }
    *ppEffect = effect;
    return D3D_OK;
}
