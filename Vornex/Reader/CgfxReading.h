#pragma once
// Reads a cgfxShader node into its scene material's named values: the effect file's name, the
// technique the game uses and the texture files that feed the effect.
class MObject;

namespace vx {

class Material;

// Writes "zeph_FxFileName", "zeph_FxTexture<n>", "zeph_TechniqueName" and
// "zeph_NumFxTextures" on `material`. Traces go to standard output; a texture outside the
// RawData tree is also put on the export's error list.
void readCgfxNode(Material& material, const MObject& node);

} // namespace vx
