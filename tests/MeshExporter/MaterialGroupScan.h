#pragma once
// The reference for cleaning a material group: the rule as a plain scan, each triangle compared
// with every triangle kept before it (of its own source mesh only, when `withinSourceOnly`).
// Quadratic; for tests and fuzzing only.
#include "MeshExporter/ExportVertex.h"

#include <vector>

namespace vx::test {

ExportVertexList prepareByScan(const ExportVertexList& triangles, bool withinSourceOnly = false);

} // namespace vx::test
