#pragma once
// The OpenGL extensions the viewport shader node draws with, initialised when the plug-in
// loads. Their entry points are process-wide function pointers, null until their extension
// has loaded: code tests isGlExtensionLoaded before it calls one.
#include <iosfwd>
#include <string_view>

// Core entry points are linked directly; only extension entry points go through the loader.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES
#endif
#include <GL/gl.h>
#include <GL/glext.h>

namespace vx {

inline constexpr std::string_view kGlExtensions[] = {"GL_ARB_multitexture",
                                                     "GL_NV_register_combiners"};

struct GlEntryPoints {
    // GL_ARB_multitexture
    PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
    PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
    PFNGLMULTITEXCOORD2FVARBPROC glMultiTexCoord2fvARB = nullptr;
    // GL_NV_register_combiners
    PFNGLCOMBINERPARAMETERFVNVPROC glCombinerParameterfvNV = nullptr;
    PFNGLCOMBINERPARAMETERFNVPROC glCombinerParameterfNV = nullptr;
    PFNGLCOMBINERPARAMETERIVNVPROC glCombinerParameterivNV = nullptr;
    PFNGLCOMBINERPARAMETERINVPROC glCombinerParameteriNV = nullptr;
    PFNGLCOMBINERINPUTNVPROC glCombinerInputNV = nullptr;
    PFNGLCOMBINEROUTPUTNVPROC glCombinerOutputNV = nullptr;
    PFNGLFINALCOMBINERINPUTNVPROC glFinalCombinerInputNV = nullptr;
    PFNGLGETCOMBINERINPUTPARAMETERFVNVPROC glGetCombinerInputParameterfvNV = nullptr;
    PFNGLGETCOMBINERINPUTPARAMETERIVNVPROC glGetCombinerInputParameterivNV = nullptr;
    PFNGLGETCOMBINEROUTPUTPARAMETERFVNVPROC glGetCombinerOutputParameterfvNV = nullptr;
    PFNGLGETCOMBINEROUTPUTPARAMETERIVNVPROC glGetCombinerOutputParameterivNV = nullptr;
    PFNGLGETFINALCOMBINERINPUTPARAMETERFVNVPROC glGetFinalCombinerInputParameterfvNV = nullptr;
    PFNGLGETFINALCOMBINERINPUTPARAMETERIVNVPROC glGetFinalCombinerInputParameterivNV = nullptr;
    // GL_NV_register_combiners2
    PFNGLCOMBINERSTAGEPARAMETERFVNVPROC glCombinerStageParameterfvNV = nullptr;
    PFNGLGETCOMBINERSTAGEPARAMETERFVNVPROC glGetCombinerStageParameterfvNV = nullptr;
};

// The loaded entry points.
const GlEntryPoints& glEntryPoints();

// Loads one extension of the loader's table: true when the current OpenGL context offers it and
// every entry point of it was found. An unknown name, no current context, or an extension the
// context does not offer gives false and leaves its entry points null.
bool initializeGlExtension(std::string_view name);
bool isGlExtensionLoaded(std::string_view name);

// Initialises each extension in order and writes "Failed to initialize <name>!" and an end of
// line to `err` for each that fails ("Initialized <name>" for each that loads, so the load
// report lists both). Loading goes on either way.
void initializeGlExtensions(std::ostream& err);

} // namespace vx
