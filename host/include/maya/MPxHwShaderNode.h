#pragma once
// Host API stand-in: base class of hardware shader nodes. For each object it shades, the
// viewport calls bind, then geometry once per batch of triangles, then unbind.
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MStringArray.h>

class M3dView;
class MDrawRequest;

class MPxHwShaderNode : public MPxNode {
public:
    MPxHwShaderNode() = default;
    ~MPxHwShaderNode() override = default;

    virtual MStatus bind(const MDrawRequest& request, M3dView& view);
    virtual MStatus unbind(const MDrawRequest& request, M3dView& view);
    // Positions are 3 floats per vertex, normals 3 and texture coordinates 2; array i of the
    // texture coordinates is the i-th set getTexCoordSetNames named (no more than
    // texCoordsPerVertex arrays, and only as far as the mesh has the sets). The stand-in's
    // viewport passes no colour arrays. Indices are 32-bit, `indexCount` of them, forming
    // primitives of type `prim` (GL_TRIANGLES).
    virtual MStatus geometry(const MDrawRequest& request, M3dView& view, int prim,
                             unsigned int writable, int indexCount, const unsigned int* indexArray,
                             int vertexCount, const int* vertexIDs, const float* vertexArray,
                             int normalCount, const float** normalArrays, int colorCount,
                             const float** colorArrays, int texCoordCount,
                             const float** texCoordArrays);
    virtual int normalsPerVertex();
    virtual int colorsPerVertex();
    virtual int texCoordsPerVertex();
    // Appends the UV set names the shader reads, one per texture-coordinate array; returns the
    // number appended.
    virtual int getTexCoordSetNames(MStringArray& names);
    virtual bool hasTransparency();
};
