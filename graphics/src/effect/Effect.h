#pragma once
// An effect on a rendering device: one linked OpenGL program per pass, and the parameters (the
// passes' uniforms, effect-wide by name) with the values set on them.
#include "d3dx9effect.h"
#include "device/ComObject.h"
#include "device/RenderCore.h"
#include "device/Texture.h"
#include "vornexgfx/EffectSource.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vornexgfx {

class Effect final : public ComObject<ID3DXEffect> {
public:
    // Compiles and links every pass of `source`; null with the reason in `error` (naming
    // `path`, the technique, the pass and the compiler's log) when one fails.
    static Effect* create(std::shared_ptr<RenderCore> core, const EffectSource& source,
                          const std::string& prelude, const std::string& path, std::string& error);
    ~Effect() override;

    D3DXHANDLE GetTechniqueByName(LPCSTR name) override;
    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, LPCSTR name) override;
    HRESULT ValidateTechnique(D3DXHANDLE technique) override;
    HRESULT SetTechnique(D3DXHANDLE technique) override;
    D3DXHANDLE GetCurrentTechnique() override;
    HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) override;
    HRESULT SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) override;
    HRESULT SetFloat(D3DXHANDLE parameter, FLOAT value) override;
    HRESULT Begin(UINT* passes, DWORD flags) override;
    HRESULT BeginPass(UINT pass) override;
    HRESULT CommitChanges() override;
    HRESULT EndPass() override;
    HRESULT End() override;

private:
    struct Parameter {
        std::string name;
        GLenum type = 0;
        std::array<float, 4> value{};
        Held<Texture> texture;
        SamplerFilter filter = SamplerFilter::Linear;
        SamplerAddress address = SamplerAddress::Clamp;
    };
    struct PassUniform {
        std::size_t parameter = 0;
        GLint location = -1;
        GLint unit = -1; // texture unit of samplers
    };
    struct Pass {
        GLuint program = 0;
        std::vector<PassUniform> uniforms;
    };
    struct Technique {
        std::string name;
        std::vector<Pass> passes;
    };

    explicit Effect(std::shared_ptr<RenderCore> core) : m_core(std::move(core)) {}
    bool addPass(Technique& technique, const EffectPass& pass, const std::string& prelude,
                 const std::string& path, std::string& error);
    int technique(D3DXHANDLE handle) const;
    Parameter* parameter(D3DXHANDLE handle);

    std::shared_ptr<RenderCore> m_core;
    // Filled at creation and never resized after, so handles (pointers to the names) stay valid.
    std::vector<Technique> m_techniques;
    std::vector<Parameter> m_parameters;
    std::size_t m_current = 0;
    bool m_begun = false;
    int m_pass = -1;
};

} // namespace vornexgfx
