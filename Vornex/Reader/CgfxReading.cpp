#include "Vornex/Reader/CgfxReading.h"

#include "MeshExporter/ExportErrorList.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Vornex/Reader/CgfxRecords.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include <array>
#include <iostream>
#include <string>
#include <string_view>

// Trace lines go to standard output, not to the log: a line break, the site, the text.
#define VX_CGFX_TRACE(text) std::cout << "\n" << __FILE__ << "(" << __LINE__ << ") " << (text)

namespace vx {
namespace {

constexpr std::array<std::string_view, 9> kTextureParameterTypes = {
    "Color1DTexture", "Color2DTexture", "Color3DTexture", "Color2DRectTexture",  "NormalTexture",
    "BumpTexture",    "CubeTexture",    "EnvTexture",     "NormalizationTexture"};

bool isTextureType(std::string_view type) {
    for (const std::string_view t : kTextureParameterTypes)
        if (t == type)
            return true;
    return false;
}

void readCgfxParameter(CgfxRecordBuilder& builder, Material& material,
                       const MFnDependencyNode& node, const MString& parameter) {
    if (!node.hasAttribute(parameter))
        return;
    MString type;
    if (!MGlobal::executeCommand("cgfxShader -p \"" + parameter + "\" \"" + node.name() + "\"",
                                 type) ||
        !isTextureType(type.str()))
        return;
    MString path;
    if (!node.findPlug(parameter).getValue(path))
        return;
    const CgfxTexture texture = builder.addTexture(path.str());
    if (texture.skipped)
        return;
    if (!texture.error.empty())
        exportErrorList().append(texture.error);
    VX_CGFX_TRACE("Saving cgFX texture <" + texture.stored + ">");
    material.setText("zeph_FxTexture" + std::to_string(texture.index), texture.stored);
}

} // namespace

void readCgfxNode(Material& material, const MObject& node) {
    const MFnDependencyNode fn(node);
    MString effectPath;
    fn.findPlug("shader").getValue(effectPath);
    CgfxRecordBuilder builder(fileNamePart(effectPath.str()), material.m_name);
    VX_CGFX_TRACE("Parsing cgFX shader <" + builder.effectName() + ">");
    material.setText("zeph_FxFileName", builder.effectName());

    MStringArray parameters;
    if (MGlobal::executeCommand("cgfxShader -lp \"" + fn.name() + "\"", parameters))
        for (unsigned i = 0; i < parameters.length(); ++i)
            readCgfxParameter(builder, material, fn, parameters[i]);

    const std::string technique = builder.technique();
    VX_CGFX_TRACE("Saving cgFX technique name <" + technique + ">");
    material.setText("zeph_TechniqueName", technique);
    VX_CGFX_TRACE("Number of cgfx Textures <" + std::to_string(builder.textureCount()) + ">");
    material.setInt("zeph_NumFxTextures", builder.textureCount());
}

} // namespace vx
