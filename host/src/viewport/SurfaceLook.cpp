#include <vornexhost/Node.h>
#include <vornexhost/SurfaceLook.h>

#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

#include <algorithm>
#include <cmath>

namespace vornexhost {
namespace {

bool readColor(const MPlug& plug, float out[3]) {
    if (plug.isNull() || plug.numChildren() != 3)
        return false;
    for (unsigned i = 0; i < 3; ++i)
        if (!plug.child(i).getValue(out[i]))
            return false;
    return true;
}

// The file texture node driving `plug`, if one does.
MObject fileTextureSource(const MPlug& plug) {
    MPlugArray sources;
    if (plug.isNull() || !plug.connectedTo(sources, true, false) || sources.length() == 0)
        return MObject();
    MObject source = sources[0].node();
    return source.hasFn(MFn::kFileTexture) ? source : MObject();
}

} // namespace

SurfaceLook surfaceLook(const Node* shader) {
    SurfaceLook look;
    if (!shader)
        return look;
    const MObject object(std::const_pointer_cast<Object>(shader->shared_from_this()));
    const MFnDependencyNode fn(object);
    const MPlug color = fn.findPlug("color");
    readColor(color, look.color);
    const MObject texture = fileTextureSource(color);
    if (!texture.isNull()) {
        // Without its texture (plain colour mode) a textured surface is light grey.
        look.color[0] = look.color[1] = look.color[2] = 0.8f;
        MString path;
        MFnDependencyNode(texture).findPlug("fileTextureName").getValue(path);
        look.texturePath = path.str();
    }
    if (object.hasFn(MFn::kBlinn) || object.hasFn(MFn::kPhong)) {
        readColor(fn.findPlug("specularColor"), look.specular);
        if (object.hasFn(MFn::kPhong)) {
            double power = 20.0;
            fn.findPlug("cosinePower").getValue(power);
            look.shininess = static_cast<float>(std::clamp(power, 0.0, 128.0));
        } else {
            // A small eccentricity is a tight highlight: map 0..1 onto the exponent 128..1.
            double eccentricity = 0.3;
            fn.findPlug("eccentricity").getValue(eccentricity);
            const double e = std::clamp(eccentricity, 0.0, 1.0);
            look.shininess = static_cast<float>(1.0 + 127.0 * (1.0 - e) * (1.0 - e));
        }
    }
    return look;
}

} // namespace vornexhost
