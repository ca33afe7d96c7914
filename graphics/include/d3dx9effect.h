#pragma once
// D3DX effects of the graphics stand-in. An effect file is our own small text format of
// techniques and passes with OpenGL shading language code per pass (GLSL 3.30, core); its
// syntax is described at the top of graphics/src/effect/EffectParser.cpp and in README.md.
// Parameters are the passes' uniforms, found by name: sampler2D takes a texture (SetTexture),
// float takes SetFloat, and float, vec2, vec3 and vec4 take SetVector (as many components as
// they have). Values set are sent to the GPU by BeginPass and CommitChanges.
#include "d3d9.h"
#include "d3dx9math.h"
#include "d3dx9mesh.h"

// An opaque handle to a technique or parameter of one effect; null when not found. A name may
// be passed where a handle is expected, as D3DX allows.
using D3DXHANDLE = const char*;

struct D3DXMACRO {
    LPCSTR Name;
    LPCSTR Definition;
};

// Include handlers and effect pools are accepted for the callers' sake and not used.
class ID3DXInclude;
class ID3DXEffectPool;

inline constexpr DWORD D3DXSHADER_DEBUG = 0x0001;
inline constexpr DWORD D3DXSHADER_SKIPVALIDATION = 0x0002;
inline constexpr DWORD D3DXSHADER_SKIPOPTIMIZATION = 0x0004;
inline constexpr DWORD D3DXFX_DONOTSAVESTATE = 0x0001;

class ID3DXEffect : public IUnknown {
public:
    virtual D3DXHANDLE GetTechniqueByName(LPCSTR pName) = 0;
    // Parameters are effect-wide: hParameter must be null.
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE hParameter, LPCSTR pName) = 0;
    // D3D_OK for a technique of this effect (every pass was compiled and linked at load).
    virtual HRESULT ValidateTechnique(D3DXHANDLE hTechnique) = 0;
    virtual HRESULT SetTechnique(D3DXHANDLE hTechnique) = 0;
    virtual D3DXHANDLE GetCurrentTechnique() = 0;
    // Null unbinds; the effect holds the texture while it is set.
    virtual HRESULT SetTexture(D3DXHANDLE hParameter, IDirect3DBaseTexture9* pTexture) = 0;
    virtual HRESULT SetVector(D3DXHANDLE hParameter, const D3DXVECTOR4* pVector) = 0;
    virtual HRESULT SetFloat(D3DXHANDLE hParameter, FLOAT f) = 0;
    // Starts the current technique (the first one when none was set); pPasses receives its
    // pass count. Flags are accepted and ignored: no device state is saved or restored.
    virtual HRESULT Begin(UINT* pPasses, DWORD Flags) = 0;
    virtual HRESULT BeginPass(UINT Pass) = 0;
    virtual HRESULT CommitChanges() = 0;
    virtual HRESULT EndPass() = 0;
    virtual HRESULT End() = 0;
};

using LPD3DXEFFECT = ID3DXEffect*;
using LPD3DXINCLUDE = ID3DXInclude*;
using LPD3DXEFFECTPOOL = ID3DXEffectPool*;
using LPD3DXBUFFER = ID3DXBuffer*;

// Loads an effect for a rendering device: parses the file, compiles and links every pass.
// pDefines (ending with a null Name) become #define lines ahead of every stage's code. On
// failure returns D3DXERR_INVALIDDATA (or D3DERR_INVALIDCALL for a device that cannot render)
// and, when ppCompilationErrors is given, a buffer holding a null-terminated text that names
// the file and line ("path(line): reason", or the shader compiler's log after the pass named).
HRESULT D3DXCreateEffectFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                  const D3DXMACRO* pDefines, LPD3DXINCLUDE pInclude, DWORD Flags,
                                  LPD3DXEFFECTPOOL pPool, LPD3DXEFFECT* ppEffect,
                                  LPD3DXBUFFER* ppCompilationErrors);
