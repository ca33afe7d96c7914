#include "Vornex/Reader/VertexBuilding.h"

#include "Shared/Base/LogHold.h"
#include "Shared/Base/WorkSharing.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"
#include "Vornex/Reader/FanSplit.h"
#include "Vornex/Reader/FanWalk.h"
#include "Vornex/Reader/PolygonAssembly.h"
#include "Vornex/Reader/ReaderReports.h"

#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MItMeshEdge.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <exception>
#include <iterator>

namespace vx {
namespace {

// What one face corner at the vertex being split brings to its output vertex.
struct CornerData {
    std::int32_t shader = -1;
    std::int32_t normal = -1;
    bool hasColor = false;
    Color color;
};

// A UV id first met in a slice, with the coordinates it has in its set.
struct MetUv {
    std::size_t set;
    std::int32_t id;
    UvCoord value;
};

// What one slice of host vertices gives: its output vertices, numbered from 0 within the slice,
// their UVs, colours and blind data numbered the same way, until the slices are joined.
struct SliceOutput {
    std::vector<Vertex> vertices;
    std::vector<Color> colors;
    std::vector<NamedValueTable> namedValues;
    std::vector<std::vector<MetUv>> uvs; // per channel, in the order first met
    std::vector<std::uint32_t> slots;    // the table corners given a vertex of the slice
    LogHold log;                         // what the slice logged, delivered when joined
    std::exception_ptr failure;          // the slice stopped here
};

class VertexBuilder {
public:
    VertexBuilder(const MDagPath& path, const MFnMesh& mesh, const VertexBuildSettings& settings,
                  std::size_t channels, PolygonTable& table, SliceOutput& out)
        : m_mesh(mesh), m_settings(settings), m_out(out), m_table(table), m_vertexIt(path),
          m_edgeIt(path), m_faceIt(path), m_channels(channels) {
        MStringArray sets;
        mesh.getUVSetNames(sets);
        for (unsigned i = 0; i < sets.length(); ++i)
            m_setNames.push_back(sets[i]);
        m_uvIndex.resize(m_channels);
        for (auto& perSet : m_uvIndex)
            perSet.resize(m_setNames.size());
        m_out.uvs.resize(m_channels);
        m_edgeCount = m_edgeIt.count();
    }

    void run(int begin, int end) {
        for (int vertex = begin; vertex < end; ++vertex) {
            int previous = 0;
            m_vertexIt.setIndex(vertex, previous);
            splitVertex(vertex);
        }
    }

private:
    void splitVertex(int vertex);
    void gatherCorners(int vertex);
    void linkEdges(int vertex);
    bool keepApart(std::int32_t a, std::int32_t b, std::int32_t edge);
    std::int32_t uvIndexOf(std::size_t channel, std::int32_t corner);
    void emitVertex(int vertex, std::int32_t corner, std::int32_t namedValues);

    std::int32_t& cornerUv(std::int32_t corner, std::size_t channel) {
        return m_cornerUvs[static_cast<std::size_t>(corner) * m_channels + channel];
    }
    const std::vector<std::int32_t>& setsOf(std::int32_t shader) const {
        static const std::vector<std::int32_t> none;
        return shader >= 0 && static_cast<std::size_t>(shader) < m_settings.channelSets.size()
                   ? m_settings.channelSets[static_cast<std::size_t>(shader)]
                   : none;
    }

    const MFnMesh& m_mesh;
    const VertexBuildSettings& m_settings;
    SliceOutput& m_out;
    PolygonTable& m_table;
    MItMeshVertex m_vertexIt;
    MItMeshEdge m_edgeIt;
    MItMeshPolygon m_faceIt;
    std::size_t m_channels;
    int m_edgeCount = 0;
    std::vector<MString> m_setNames;
    // Per channel and mesh UV set: the slice's number of each host UV id, -1 until the id is
    // first met.
    std::vector<std::vector<std::vector<std::int32_t>>> m_uvIndex;

    // Reused from vertex to vertex.
    FanWalker m_walker;
    FanSet m_fans;
    CornerGroups m_groups;
    std::vector<bool> m_cut;
    std::vector<CornerData> m_corners;
    std::vector<std::int32_t> m_cornerUvs; // corners x channels host UV ids, -1 for none
    MIntArray m_faces;
    MIntArray m_edges;
    MIntArray m_faceVertices;
    MIntArray m_faceEdges;
    MIntArray m_edgeFaces;
};

void VertexBuilder::splitVertex(int vertex) {
    gatherCorners(vertex);
    linkEdges(vertex);
    m_walker.walk(m_fans);

    m_cut.assign(m_fans.corners.size(), false);
    for (const FanSet::Span& span : m_fans.fans)
        for (std::uint32_t p = span.begin; p < span.end; ++p) {
            const std::int32_t edge = m_fans.junctions[p];
            if (edge < 0)
                continue;
            const std::int32_t next = m_fans.corners[p + 1 < span.end ? p + 1 : span.begin];
            m_cut[p] = keepApart(m_fans.corners[p], next, edge);
        }
    splitFans(m_fans, m_cut, m_groups);

    // Blind data of the host vertex: one table shared by its output vertices.
    std::int32_t namedValues = Vertex::kNone;
    if (!m_settings.vertexBlindData.empty()) {
        NamedValueTable values;
        for (const BlindDataType& type : m_settings.vertexBlindData)
            if (auto value = blindDataValue(m_mesh, type, vertex))
                values.set(type.longName.asChar(), std::move(*value));
        if (!values.empty()) {
            namedValues = static_cast<std::int32_t>(m_out.namedValues.size());
            m_out.namedValues.push_back(std::move(values));
        }
    }

    const auto firstOutput = static_cast<std::int32_t>(m_out.vertices.size());
    for (const std::uint32_t position : m_groups.firstOfGroup)
        emitVertex(vertex, m_fans.corners[position], namedValues);

    const auto& corners = m_walker.corners();
    for (std::size_t p = 0; p < m_fans.corners.size(); ++p) {
        const FanCorner& corner = corners[static_cast<std::size_t>(m_fans.corners[p])];
        const auto face = static_cast<std::size_t>(corner.face);
        const std::uint32_t size = m_table.faceStart[face + 1] - m_table.faceStart[face];
        VX_READER_ASSERT(static_cast<std::uint32_t>(corner.local) < size,
                         "static_cast<unsigned int>(face.getLocalVertexIndex()) < poly.size()", "");
        std::int32_t& slot =
            m_table
                .cornerVertex[m_table.faceStart[face] + static_cast<std::uint32_t>(corner.local)];
        VX_READER_ASSERT(slot == PolygonTable::kUnassigned, "poly[face.getLocalVertexIndex()]==-2",
                         m_settings.prefix << ".f[" << corner.face << "]. Index: " << corner.local);
        slot = firstOutput + m_groups.groupOf[p];
        m_out.slots.push_back(m_table.faceStart[face] + static_cast<std::uint32_t>(corner.local));
    }
}

// The corners of every face at the vertex, in ascending face order, with what each brings.
void VertexBuilder::gatherCorners(int vertex) {
    m_walker.reset();
    m_corners.clear();
    m_cornerUvs.clear();
    m_vertexIt.getConnectedFaces(m_faces);
    for (unsigned i = 0; i < m_faces.length(); ++i) {
        const int face = m_faces[i];
        int previous = 0;
        m_faceIt.setIndex(face, previous);
        m_faceIt.getVertices(m_faceVertices);
        m_faceIt.getEdges(m_faceEdges);
        const unsigned size = m_faceVertices.length();
        if (size == 0 || m_faceEdges.length() != size) {
            VX_WARNING << m_settings.prefix << ".f[" << face << "] is corrupt.";
            continue;
        }
        for (unsigned local = 0; local < size; ++local) {
            if (m_faceVertices[local] != vertex)
                continue;
            const unsigned before = (local + size - 1) % size;
            bool valid = true;
            for (const unsigned k : {before, local})
                if (m_faceEdges[k] < 0 || m_faceEdges[k] >= m_edgeCount) {
                    VX_WARNING << m_settings.prefix << ".f[" << face << "].e_local[" << k
                               << "] invalid: " << m_faceEdges[k];
                    valid = false;
                }
            if (!valid)
                continue;
            const auto index = static_cast<int>(local);
            m_walker.addCorner({face, index, m_faceEdges[before], m_faceEdges[local]});
            CornerData data;
            const auto faceIndex = static_cast<std::size_t>(face);
            data.shader =
                faceIndex < m_settings.faceShader.size() ? m_settings.faceShader[faceIndex] : -1;
            data.normal = m_faceIt.normalIndex(index);
            MColor color;
            if (m_faceIt.hasColor(index) && m_faceIt.getColor(color, index)) {
                data.hasColor = true;
                data.color = {color.r, color.g, color.b, color.a};
            }
            const auto& sets = setsOf(data.shader);
            for (std::size_t k = 0; k < m_channels; ++k) {
                int id = -1;
                if (k < sets.size() && sets[k] >= 0 &&
                    !m_mesh.getPolygonUVid(face, index, id,
                                           &m_setNames[static_cast<std::size_t>(sets[k])]))
                    id = -1;
                m_cornerUvs.push_back(id);
            }
            m_corners.push_back(data);
        }
    }
}

// Links every corner to the edges at the vertex that reach it.
void VertexBuilder::linkEdges(int vertex) {
    const auto& corners = m_walker.corners();
    m_vertexIt.getConnectedEdges(m_edges);
    for (unsigned i = 0; i < m_edges.length(); ++i) {
        const int edge = m_edges[i];
        int previous = 0;
        m_edgeIt.setIndex(edge, previous);
        if (m_edgeIt.getConnectedFaces(m_edgeFaces) > 2) {
            VX_WARNING << m_settings.prefix << ".e[" << edge << "] non-manifold";
        }
        for (unsigned j = 0; j < m_edgeFaces.length(); ++j) {
            const int face = m_edgeFaces[j];
            // Corners were gathered in ascending face order.
            auto it = std::lower_bound(corners.begin(), corners.end(), face,
                                       [](const FanCorner& c, int f) { return c.face < f; });
            bool linked = false;
            for (; it != corners.end() && it->face == face; ++it)
                if (it->edgeIn == edge || it->edgeOut == edge) {
                    m_walker.link(edge, static_cast<std::int32_t>(it - corners.begin()));
                    linked = true;
                }
            if (!linked) {
                VX_WARNING << m_settings.prefix << ".e[" << edge << "] relation error. Edge => f["
                           << face << "] only";
            }
        }
    }
    (void)vertex;
}

// Whether two consecutive corners need separate output vertices: a hard edge between them,
// or a different shader, UV id in any channel, or colour (no distance tolerance anywhere).
bool VertexBuilder::keepApart(std::int32_t a, std::int32_t b, std::int32_t edge) {
    int previous = 0;
    m_edgeIt.setIndex(edge, previous);
    if (!m_edgeIt.isSmooth())
        return true;
    const CornerData& ca = m_corners[static_cast<std::size_t>(a)];
    const CornerData& cb = m_corners[static_cast<std::size_t>(b)];
    if (ca.shader != cb.shader)
        return true;
    for (std::size_t k = 0; k < m_channels; ++k)
        if (cornerUv(a, k) != cornerUv(b, k))
            return true;
    if (ca.hasColor != cb.hasColor)
        return true;
    return ca.hasColor && !(ca.color == cb.color);
}

// The slice's number of the corner's UV in the channel, listing the UV the first time its id is
// met in that channel and set; -1 when the corner has none.
std::int32_t VertexBuilder::uvIndexOf(std::size_t channel, std::int32_t corner) {
    const std::int32_t id = cornerUv(corner, channel);
    if (id < 0)
        return Vertex::kNone;
    const CornerData& data = m_corners[static_cast<std::size_t>(corner)];
    const auto set = static_cast<std::size_t>(setsOf(data.shader)[channel]);
    std::vector<std::int32_t>& indexOfId = m_uvIndex[channel][set];
    if (static_cast<std::size_t>(id) >= indexOfId.size())
        indexOfId.resize(std::max(static_cast<std::size_t>(id) + 1,
                                  static_cast<std::size_t>(m_mesh.numUVs(m_setNames[set]))),
                         Vertex::kNone);
    std::int32_t& index = indexOfId[static_cast<std::size_t>(id)];
    if (index == Vertex::kNone) {
        const FanCorner& fanCorner = m_walker.corners()[static_cast<std::size_t>(corner)];
        float u = 0.0f;
        float v = 0.0f;
        m_mesh.getPolygonUV(fanCorner.face, fanCorner.local, u, v, &m_setNames[set]);
        index = static_cast<std::int32_t>(m_out.uvs[channel].size());
        m_out.uvs[channel].push_back({set, id, {u, 1.0f - v}});
    }
    return index;
}

void VertexBuilder::emitVertex(int vertex, std::int32_t corner, std::int32_t namedValues) {
    const CornerData& data = m_corners[static_cast<std::size_t>(corner)];
    Vertex out;
    out.setPosition(vertex);
    out.setNormal(data.normal);
    if (m_settings.skinned)
        out.setBlendWeight(vertex);
    out.setUvCount(m_channels);
    for (std::size_t k = 0; k < m_channels; ++k)
        out.setUv(static_cast<int>(k), uvIndexOf(k, corner));
    if (data.hasColor) {
        out.setDiffuse(static_cast<std::int32_t>(m_out.colors.size()));
        m_out.colors.push_back(data.color);
    }
    out.setNamedValues(namedValues);
    m_out.vertices.push_back(std::move(out));
}

// Appends the slices to `out` in order, as one walk over all the vertices would have made them:
// a UV takes its number where it was first met in the whole walk, colours and blind data follow
// the slices' order, and each slice's messages are delivered before the next slice's. A slice
// that stopped raises its exception once its messages are out; later slices are dropped.
void joinSlices(std::vector<SliceOutput>& slices, std::size_t sets, VertexBuffer& out,
                PolygonTable& table) {
    const std::size_t channels = out.m_uvSets.size();
    // Per channel and set: the number in `out` of each UV id, -1 until met.
    std::vector<std::vector<std::vector<std::int32_t>>> numberOf(
        channels, std::vector<std::vector<std::int32_t>>(sets));
    std::vector<std::vector<std::int32_t>> renumber(channels);
    // Room for every slice's vertices and UVs at once: grown by doubling, the lists would be
    // moved whole and take twice the fresh memory.
    std::size_t vertices = out.m_vertices.size();
    std::vector<std::size_t> uvs(channels);
    for (const SliceOutput& slice : slices) {
        vertices += slice.vertices.size();
        for (std::size_t k = 0; k < channels && k < slice.uvs.size(); ++k)
            uvs[k] += slice.uvs[k].size();
    }
    out.m_vertices.reserve(vertices);
    for (std::size_t k = 0; k < channels; ++k)
        out.m_uvSets[k].reserve(out.m_uvSets[k].size() + uvs[k]);
    for (SliceOutput& slice : slices) {
        slice.log.deliver();
        if (slice.failure)
            std::rethrow_exception(slice.failure);
        for (std::size_t k = 0; k < channels; ++k) {
            renumber[k].resize(slice.uvs[k].size());
            for (std::size_t i = 0; i < slice.uvs[k].size(); ++i) {
                const MetUv& met = slice.uvs[k][i];
                std::vector<std::int32_t>& numbers = numberOf[k][met.set];
                const auto id = static_cast<std::size_t>(met.id);
                if (id >= numbers.size())
                    numbers.resize(id + 1, Vertex::kNone);
                if (numbers[id] == Vertex::kNone) {
                    numbers[id] = static_cast<std::int32_t>(out.m_uvSets[k].size());
                    out.m_uvSets[k].push_back(met.value);
                }
                renumber[k][i] = numbers[id];
            }
        }
        const auto vertexBase = static_cast<std::int32_t>(out.m_vertices.size());
        const auto colorBase = static_cast<std::int32_t>(out.m_diffuseColors.size());
        const auto valuesBase = static_cast<std::int32_t>(out.m_vertexNamedValues.size());
        for (Vertex& vertex : slice.vertices) {
            for (std::size_t k = 0; k < channels; ++k) {
                const std::int32_t uv = vertex.getUv(static_cast<int>(k));
                if (uv != Vertex::kNone)
                    vertex.setUv(static_cast<int>(k), renumber[k][static_cast<std::size_t>(uv)]);
            }
            if (vertex.getDiffuse() != Vertex::kNone)
                vertex.setDiffuse(vertex.getDiffuse() + colorBase);
            if (vertex.getNamedValues() != Vertex::kNone)
                vertex.setNamedValues(vertex.getNamedValues() + valuesBase);
            out.m_vertices.push_back(std::move(vertex));
        }
        out.m_diffuseColors.insert(out.m_diffuseColors.end(), slice.colors.begin(),
                                   slice.colors.end());
        std::move(slice.namedValues.begin(), slice.namedValues.end(),
                  std::back_inserter(out.m_vertexNamedValues));
        for (const std::uint32_t slot : slice.slots)
            table.cornerVertex[slot] += vertexBase;
        slice = SliceOutput();
    }
}

} // namespace

void buildVertices(const MDagPath& path, const MFnMesh& mesh, const VertexBuildSettings& settings,
                   VertexBuffer& out, PolygonTable& table, std::size_t verticesPerSlice) {
    MItMeshPolygon faces(path);
    std::vector<std::uint32_t> faceSizes(static_cast<std::size_t>(faces.count()));
    for (std::size_t f = 0; f < faceSizes.size(); ++f)
        faceSizes[f] = static_cast<std::uint32_t>(mesh.polygonVertexCount(static_cast<int>(f)));
    table.reset(faceSizes);
    // A host vertex splits into at most one output vertex per corner: room for all of them up
    // front spares copying every vertex (and its list of UV indices) as the list grows.
    std::size_t corners = 0;
    for (const std::uint32_t size : faceSizes)
        corners += size;
    out.m_vertices.reserve(out.m_vertices.size() + corners);

    // The host vertices are split in slices side by side: each vertex's corners and their
    // table places are its own, and the slices are joined as one walk would have made them.
    const auto vertexCount = static_cast<std::size_t>(MItMeshVertex(path).count());
    if (verticesPerSlice == 0) {
        constexpr std::size_t kFewest = 512; // below this, a slice costs more than it saves
        const std::size_t pieces = 2 * (std::size_t{workHelpers()} + 1);
        verticesPerSlice = std::max(kFewest, (vertexCount + pieces - 1) / pieces);
    }
    const std::size_t count =
        std::max<std::size_t>(1, (vertexCount + verticesPerSlice - 1) / verticesPerSlice);
    std::vector<SliceOutput> slices(count);
    shareWork(count, [&](std::size_t k) {
        SliceOutput& slice = slices[k];
        const LogHold::Scope hold(slice.log);
        try {
            VertexBuilder(path, mesh, settings, out.m_uvSets.size(), table, slice)
                .run(static_cast<int>(std::min(vertexCount, k * verticesPerSlice)),
                     static_cast<int>(std::min(vertexCount, (k + 1) * verticesPerSlice)));
        } catch (...) {
            slice.failure = std::current_exception();
        }
    });
    // The sets the channels take, from the shaders' lists: no UV is met in any other.
    std::size_t sets = 0;
    for (const std::vector<std::int32_t>& channelSets : settings.channelSets)
        for (const std::int32_t set : channelSets)
            sets = std::max(sets, static_cast<std::size_t>(set + 1));
    joinSlices(slices, sets, out, table);
}

} // namespace vx
