#pragma once
// How the shader node mixes its four layers (colour on unit 0, detail on unit 1, crack on
// unit 2, dirt on unit 3) into the fragment colour:
//
//   colour = lit colour * colour layer * detail layer * NDetail * crack layer * NCrack
//            * dirt layer
//   alpha  = lit alpha * colour texture alpha (1 without a colour texture)
//
// where a layer is its texture where the unit carries one and its channel's constant colour
// where it does not. The constant part is one product, so every path below draws the same
// picture: register combiners where that extension really loaded, else a GLSL fragment program
// where the context runs GLSL, else the texture environment (each textured unit modulates).
#include <array>

namespace vx {

enum class CombinerPath { RegisterCombiners, Glsl, TextureEnvironment };

struct LayerSetup {
    std::array<bool, 4> textured{};                  // per unit
    std::array<std::array<float, 3>, 4> constants{}; // per unit: its channel's constant colour
    std::array<float, 3> detailTint{1.0f, 1.0f, 1.0f};
    std::array<float, 3> crackTint{1.0f, 1.0f, 1.0f};

    // The product of the constants of the untextured layers and the two tints.
    std::array<float, 3> constantProduct() const;
};

// The path the current context offers (or the one tests forced).
CombinerPath chooseCombinerPath();
// Tests draw each path on the same context; null restores the choice by the context.
void forceCombinerPath(const CombinerPath* path);

// Programs the mix for `setup` on `path`; the units' textures are bound and enabled already.
// The register-combiner and texture-environment paths carry the constant product in the
// material's diffuse colour; the GLSL path keeps the diffuse colour white and takes it as a
// uniform.
void programCombiner(CombinerPath path, const LayerSetup& setup);
// Undoes what the attribute stack does not restore (the GLSL program in use).
void finishCombiner(CombinerPath path);

} // namespace vx
