#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/PolyPrimitives.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace vornexhost {

namespace {

constexpr double kPi = std::numbers::pi;

// Faces are added as vertex loops; edges are made on first use, in that order.
class MeshBuilder {
public:
    explicit MeshBuilder(MeshGeometry& mesh) : m_mesh(mesh) {
        m_mesh = MeshGeometry();
        m_mesh.faceStart.assign(1, 0);
        m_mesh.uvSets.push_back({"map1", {}, {}, {}});
    }

    void point(double x, double y, double z) {
        m_mesh.points.insert(m_mesh.points.end(), {x, y, z});
    }
    void uv(double u, double v) {
        m_mesh.uvSets[0].u.push_back(static_cast<float>(u));
        m_mesh.uvSets[0].v.push_back(static_cast<float>(v));
    }
    // An edge made before any face uses it, so that it keeps the host's edge number.
    void edge(std::int32_t a, std::int32_t b, bool smooth) {
        m_edges.emplace(std::minmax(a, b), static_cast<std::int32_t>(m_mesh.edges.size()));
        m_mesh.edges.push_back({a, b, smooth});
    }
    // `uvs` may be empty (no UVs) or hold one id per vertex.
    void face(const std::vector<std::int32_t>& vertices, const std::vector<std::int32_t>& uvs,
              bool smooth) {
        const std::size_t n = vertices.size();
        for (std::size_t k = 0; k < n; ++k) {
            const std::int32_t a = vertices[k];
            const std::int32_t b = vertices[(k + 1) % n];
            auto found = m_edges.find(std::minmax(a, b));
            if (found == m_edges.end()) {
                edge(a, b, smooth);
                found = m_edges.find(std::minmax(a, b));
            }
            m_mesh.cornerVertex.push_back(a);
            m_mesh.cornerEdge.push_back(found->second);
            m_mesh.uvSets[0].cornerUv.push_back(uvs.empty() ? -1 : uvs[k]);
        }
        const std::uint32_t first = m_mesh.faceStart.back();
        for (std::size_t k = 0; k < n; ++k)
            m_mesh.cornerPrevEdge.push_back(m_mesh.cornerEdge[first + (k + n - 1) % n]);
        m_mesh.faceStart.push_back(static_cast<std::uint32_t>(m_mesh.cornerVertex.size()));
    }

private:
    MeshGeometry& m_mesh;
    std::map<std::pair<std::int32_t, std::int32_t>, std::int32_t> m_edges;
};

// Subdivisions beyond these make meshes no scene needs; they are refused rather than built.
bool withinLimit(int around, int along) {
    return around <= 4096 && along <= 4096 && long(around) * long(along) <= (1L << 20);
}

double number(const Node& node, const char* attribute, double fallback) {
    return node.findAttribute(attribute) ? nodeNumber(node, attribute, sceneTime()) : fallback;
}

int count(const Node& node, const char* attribute, int fallback) {
    return static_cast<int>(std::lround(number(node, attribute, fallback)));
}

// Turns the primitive, built around +Y, so that +Y points along the node's "axis".
void orient(const Node& node, MeshGeometry& mesh) {
    double a[3] = {number(node, "axx", 0.0), number(node, "axy", 1.0), number(node, "axz", 0.0)};
    const double length = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
    if (length == 0.0)
        return;
    for (double& x : a)
        x /= length;
    // Rotation taking Y to a: about k = Y x a by the angle between them.
    const double c = a[1];
    double k[3] = {a[2], 0.0, -a[0]};
    const double s = std::sqrt(k[0] * k[0] + k[2] * k[2]);
    if (s < 1e-12) {
        if (c > 0.0)
            return;
        k[0] = 1.0; // upside down: half a turn about X
        k[2] = 0.0;
    } else {
        k[0] /= s;
        k[2] /= s;
    }
    const double sine = s < 1e-12 ? 0.0 : s;
    for (std::size_t v = 0; v < mesh.points.size(); v += 3) {
        double* p = &mesh.points[v];
        const double dot = k[0] * p[0] + k[1] * p[1] + k[2] * p[2];
        const double cross[3] = {k[1] * p[2] - k[2] * p[1], k[2] * p[0] - k[0] * p[2],
                                 k[0] * p[1] - k[1] * p[0]};
        double r[3];
        for (int i = 0; i < 3; ++i)
            r[i] = p[i] * c + cross[i] * sine + k[i] * dot * (1.0 - c);
        p[0] = r[0];
        p[1] = r[1];
        p[2] = r[2];
    }
}

// The cube is a ring of rows running round the X axis (front, top, back, bottom; each row
// crosses the cube along X), then the inner points of the right (+X) and left (-X) sides. With one
// subdivision each way this is the host's own vertex, face, edge and UV numbering.
bool makeCube(const Node& node, MeshGeometry& mesh, std::string& error) {
    const int sw = count(node, "sw", 1);
    const int sh = count(node, "sh", 1);
    const int sd = count(node, "sd", 1);
    if (sw < 1 || sh < 1 || sd < 1 || !withinLimit(sw, sh) || !withinLimit(sh, sd) ||
        !withinLimit(sw, sd)) {
        error = "subdivisions out of range";
        return false;
    }
    const double w = number(node, "w", 1.0) / 2.0;
    const double h = number(node, "h", 1.0) / 2.0;
    const double d = number(node, "d", 1.0) / 2.0;
    const int uvMode = count(node, "cuv", 3);
    MeshBuilder b(mesh);
    const int columns = sw + 1;
    const int rows = 2 * sh + 2 * sd; // distinct rows round the ring
    // Height and depth of ring row r, and its UV v (the strip runs 0 to 1 over the four faces).
    auto ringRow = [&](int r, double& y, double& z, double& v) {
        if (r <= sh) {
            y = -h + 2.0 * h * r / sh;
            z = d;
            v = 0.25 * r / sh;
        } else if (r <= sh + sd) {
            y = h;
            z = d - 2.0 * d * (r - sh) / sd;
            v = 0.25 + 0.25 * (r - sh) / sd;
        } else if (r <= 2 * sh + sd) {
            y = h - 2.0 * h * (r - sh - sd) / sh;
            z = -d;
            v = 0.5 + 0.25 * (r - sh - sd) / sh;
        } else {
            y = -h;
            z = -d + 2.0 * d * (r - 2 * sh - sd) / sd;
            v = 0.75 + 0.25 * (r - 2 * sh - sd) / sd;
        }
    };
    for (int r = 0; r < rows; ++r) {
        double y = 0.0, z = 0.0, v = 0.0;
        ringRow(r, y, z, v);
        for (int i = 0; i < columns; ++i)
            b.point(-w + 2.0 * w * i / sw, y, z);
    }
    // Side point (row j up Y, column c along the side's Z direction) as a vertex number. The
    // right side's columns run from +Z to -Z, the left side's from -Z to +Z.
    const int ringVertices = rows * columns;
    const int inner = (sh - 1) * (sd - 1);
    auto sideVertex = [&](bool right, int j, int c) {
        const int i = right ? sw : 0;
        int r = -1;
        if (j == 0)
            r = right ? rows - c : 2 * sh + sd + c;
        else if (j == sh)
            r = right ? sh + c : sh + sd - c;
        else if (c == 0)
            r = right ? j : 2 * sh + sd - j;
        else if (c == sd)
            r = right ? 2 * sh + sd - j : j;
        if (r >= 0)
            return (r % rows) * columns + i;
        return ringVertices + (right ? 0 : inner) + (j - 1) * (sd - 1) + (c - 1);
    };
    for (bool right : {true, false})
        for (int j = 1; j < sh; ++j)
            for (int c = 1; c < sd; ++c) {
                const double z = right ? d - 2.0 * d * c / sd : -d + 2.0 * d * c / sd;
                b.point(right ? w : -w, -h + 2.0 * h * j / sh, z);
            }
    if (sw == 1 && sh == 1 && sd == 1) {
        // The host's edge numbering of the plain cube.
        const std::int32_t edges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                           {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 0}, {7, 1}};
        for (const auto& e : edges)
            b.edge(e[0], e[1], false);
    }
    // UVs: the strip (rows 0 to `rows`, the last row repeating the first's points at v = 1),
    // then the right side's square beside the front, then the left side's.
    auto addUv = [&](double u, double v) {
        if (uvMode == 1) // not normalised: one unit per face
            b.uv((u - 0.375) * 4.0, v * 4.0);
        else
            b.uv(u, v);
    };
    const bool uvs = uvMode != 0;
    if (uvs) {
        for (int r = 0; r <= rows; ++r) {
            double y = 0.0, z = 0.0, v = 1.0;
            if (r < rows)
                ringRow(r, y, z, v);
            for (int i = 0; i < columns; ++i)
                addUv(0.375 + 0.25 * i / sw, v);
        }
        for (int j = 0; j <= sh; ++j)
            for (int c = 1; c <= sd; ++c)
                addUv(0.625 + 0.25 * c / sd, 0.25 * j / sh);
        for (int j = 0; j <= sh; ++j)
            for (int c = 0; c < sd; ++c)
                addUv(0.125 + 0.25 * c / sd, 0.25 * j / sh);
    }
    const int stripUvs = (rows + 1) * columns;
    auto sideUv = [&](bool right, int j, int c) {
        if (right)
            return c == 0 ? j * columns + sw : stripUvs + j * sd + (c - 1);
        return c == sd ? j * columns : stripUvs + (sh + 1) * sd + j * sd + c;
    };
    const std::vector<std::int32_t> none;
    for (int r = 0; r < rows; ++r)
        for (int i = 0; i < sw; ++i) {
            const int next = (r + 1) % rows;
            b.face(
                {r * columns + i, r * columns + i + 1, next * columns + i + 1, next * columns + i},
                uvs ? std::vector<std::int32_t>{r * columns + i, r * columns + i + 1,
                                                (r + 1) * columns + i + 1, (r + 1) * columns + i}
                    : none,
                false);
        }
    for (bool right : {true, false})
        for (int j = 0; j < sh; ++j)
            for (int c = 0; c < sd; ++c)
                b.face({sideVertex(right, j, c), sideVertex(right, j, c + 1),
                        sideVertex(right, j + 1, c + 1), sideVertex(right, j + 1, c)},
                       uvs ? std::vector<std::int32_t>{sideUv(right, j, c), sideUv(right, j, c + 1),
                                                       sideUv(right, j + 1, c + 1),
                                                       sideUv(right, j + 1, c)}
                           : none,
                       false);
    return true;
}

bool makePlane(const Node& node, MeshGeometry& mesh, std::string& error) {
    const int sw = count(node, "sw", 10);
    const int sh = count(node, "sh", 10);
    if (sw < 1 || sh < 1 || !withinLimit(sw, sh)) {
        error = "subdivisions out of range";
        return false;
    }
    const double w = number(node, "w", 1.0);
    const double h = number(node, "h", 1.0);
    const bool uvs = count(node, "cuv", 1) != 0;
    MeshBuilder b(mesh);
    for (int j = 0; j <= sh; ++j)
        for (int i = 0; i <= sw; ++i) {
            b.point(-w / 2 + w * i / sw, 0.0, h / 2 - h * j / sh);
            if (uvs)
                b.uv(double(i) / sw, double(j) / sh);
        }
    const int row = sw + 1;
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            const std::vector<std::int32_t> loop = {j * row + i, j * row + i + 1,
                                                    (j + 1) * row + i + 1, (j + 1) * row + i};
            b.face(loop, uvs ? loop : std::vector<std::int32_t>(), true);
        }
    return true;
}

bool makeSphere(const Node& node, MeshGeometry& mesh, std::string& error) {
    const int sa = count(node, "sa", 20);
    const int sh = count(node, "sh", 20);
    if (sa < 3 || sh < 2 || !withinLimit(sa, sh)) {
        error = "subdivisions out of range";
        return false;
    }
    const double r = number(node, "r", 1.0);
    const bool uvs = count(node, "cuv", 1) != 0;
    MeshBuilder b(mesh);
    // Rings from the bottom up, each starting one step round from +X towards -Z; then the poles.
    for (int j = 1; j < sh; ++j) {
        const double lat = kPi * j / sh;
        for (int i = 0; i < sa; ++i) {
            const double lon = 2.0 * kPi * (i + 1) / sa;
            b.point(r * std::sin(lat) * std::cos(lon), -r * std::cos(lat),
                    -r * std::sin(lat) * std::sin(lon));
        }
    }
    const std::int32_t south = sa * (sh - 1);
    const std::int32_t north = south + 1;
    b.point(0.0, -r, 0.0);
    b.point(0.0, r, 0.0);
    if (uvs) {
        for (int j = 1; j < sh; ++j)
            for (int i = 0; i <= sa; ++i)
                b.uv(double(i) / sa, double(j) / sh);
        for (int i = 0; i < sa; ++i)
            b.uv((i + 0.5) / sa, 0.0);
        for (int i = 0; i < sa; ++i)
            b.uv((i + 0.5) / sa, 1.0);
    }
    auto vertex = [&](int ring, int i) { return ring * sa + i % sa; };
    auto uvOf = [&](int ring, int i) { return ring * (sa + 1) + i; };
    const std::vector<std::int32_t> none;
    for (int j = 0; j + 1 < sh - 1; ++j)
        for (int i = 0; i < sa; ++i)
            b.face({vertex(j, i), vertex(j, i + 1), vertex(j + 1, i + 1), vertex(j + 1, i)},
                   uvs ? std::vector<std::int32_t>{uvOf(j, i), uvOf(j, i + 1), uvOf(j + 1, i + 1),
                                                   uvOf(j + 1, i)}
                       : none,
                   true);
    const std::int32_t poleUv = (sh - 1) * (sa + 1);
    for (int i = 0; i < sa; ++i)
        b.face({south, vertex(0, i + 1), vertex(0, i)},
               uvs ? std::vector<std::int32_t>{poleUv + i, uvOf(0, i + 1), uvOf(0, i)} : none,
               true);
    for (int i = 0; i < sa; ++i)
        b.face(
            {vertex(sh - 2, i), vertex(sh - 2, i + 1), north},
            uvs ? std::vector<std::int32_t>{uvOf(sh - 2, i), uvOf(sh - 2, i + 1), poleUv + sa + i}
                : none,
            true);
    return true;
}

bool makeCylinder(const Node& node, MeshGeometry& mesh, std::string& error) {
    const int sa = count(node, "sa", 20);
    const int sh = count(node, "sh", 1);
    const int sc = count(node, "sc", 0);
    if (sa < 3 || sh < 1 || !withinLimit(sa, sh) || sc < 0 || sc > 1) {
        error = "subdivisions out of range";
        return false;
    }
    const double r = number(node, "r", 1.0);
    const double h = number(node, "h", 2.0);
    const bool uvs = count(node, "cuv", 2) != 0;
    MeshBuilder b(mesh);
    auto lon = [&](int i) { return 2.0 * kPi * (i + 1) / sa; };
    for (int j = 0; j <= sh; ++j)
        for (int i = 0; i < sa; ++i)
            b.point(r * std::cos(lon(i)), -h / 2 + h * j / sh, -r * std::sin(lon(i)));
    const std::int32_t bottomCentre = sa * (sh + 1);
    if (sc == 1) {
        b.point(0.0, -h / 2, 0.0);
        b.point(0.0, h / 2, 0.0);
    }
    // Side strip in the middle of the UV square, the caps as discs below and above it.
    const double capRadius = 0.15625;
    if (uvs) {
        for (int j = 0; j <= sh; ++j)
            for (int i = 0; i <= sa; ++i)
                b.uv(0.375 + 0.25 * i / sa, 0.3125 + 0.375 * j / sh);
        for (double centreV : {capRadius, 1.0 - capRadius})
            for (int i = 0; i < sa; ++i)
                b.uv(0.5 + capRadius * std::cos(lon(i)), centreV - capRadius * std::sin(lon(i)));
        if (sc == 1) {
            b.uv(0.5, capRadius);
            b.uv(0.5, 1.0 - capRadius);
        }
    }
    auto vertex = [&](int ring, int i) { return ring * sa + i % sa; };
    auto uvOf = [&](int ring, int i) { return ring * (sa + 1) + i; };
    const std::vector<std::int32_t> none;
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sa; ++i)
            b.face({vertex(j, i), vertex(j, i + 1), vertex(j + 1, i + 1), vertex(j + 1, i)},
                   uvs ? std::vector<std::int32_t>{uvOf(j, i), uvOf(j, i + 1), uvOf(j + 1, i + 1),
                                                   uvOf(j + 1, i)}
                       : none,
                   true);
    const std::int32_t capUv = (sh + 1) * (sa + 1);
    if (sc == 0) {
        std::vector<std::int32_t> bottom, top, bottomUv, topUv;
        for (int i = sa; i-- > 0;) {
            bottom.push_back(vertex(0, i));
            bottomUv.push_back(capUv + i);
        }
        for (int i = 0; i < sa; ++i) {
            top.push_back(vertex(sh, i));
            topUv.push_back(capUv + sa + i);
        }
        b.face(bottom, uvs ? bottomUv : none, false);
        b.face(top, uvs ? topUv : none, false);
    } else {
        const std::int32_t centreUv = capUv + 2 * sa;
        for (int i = 0; i < sa; ++i)
            b.face({vertex(0, i + 1), vertex(0, i), bottomCentre},
                   uvs ? std::vector<std::int32_t>{capUv + (i + 1) % sa, capUv + i, centreUv}
                       : none,
                   false);
        for (int i = 0; i < sa; ++i)
            b.face({vertex(sh, i), vertex(sh, i + 1), bottomCentre + 1},
                   uvs ? std::vector<std::int32_t>{capUv + sa + i, capUv + sa + (i + 1) % sa,
                                                   centreUv + 1}
                       : none,
                   false);
    }
    // The cap rims are hard edges; the side edges are smooth.
    for (MeshEdge& edge : mesh.edges) {
        const bool bottomRim = edge.v0 < sa && edge.v1 < sa;
        const bool topRim = edge.v0 >= sh * sa && edge.v0 < (sh + 1) * sa && edge.v1 >= sh * sa &&
                            edge.v1 < (sh + 1) * sa;
        if (bottomRim || topRim)
            edge.smooth = false;
    }
    return true;
}

} // namespace

bool isPolyCreator(const Node& node) {
    const std::string& type = node.type().name;
    return type == "polyCube" || type == "polyPlane" || type == "polySphere" ||
           type == "polyCylinder";
}

bool createPolyPrimitive(const Node& creator, MeshGeometry& out, std::string& error) {
    const std::string& type = creator.type().name;
    bool made = false;
    if (type == "polyCube")
        made = makeCube(creator, out, error);
    else if (type == "polyPlane")
        made = makePlane(creator, out, error);
    else if (type == "polySphere")
        made = makeSphere(creator, out, error);
    else if (type == "polyCylinder")
        made = makeCylinder(creator, out, error);
    else
        error = "not a primitive creator";
    if (made)
        orient(creator, out);
    return made;
}

} // namespace vornexhost
