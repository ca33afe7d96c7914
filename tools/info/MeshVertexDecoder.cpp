#include "tools/info/MeshVertexDecoder.h"

#include "Shared/Base/Log.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace vx::meshfile {

namespace {

struct TypeInfo {
    const char* name;
    std::uint8_t size;
};

// Indexed by the type code; UNUSED (17) has no size.
constexpr std::array<TypeInfo, 18> kTypes = {{
    {"FLOAT1", 4},
    {"FLOAT2", 8},
    {"FLOAT3", 12},
    {"FLOAT4", 16},
    {"D3DCOLOR", 4},
    {"UBYTE4", 4},
    {"SHORT2", 4},
    {"SHORT4", 8},
    {"UBYTE4N", 4},
    {"SHORT2N", 4},
    {"SHORT4N", 8},
    {"USHORT2N", 4},
    {"USHORT4N", 8},
    {"UDEC3", 4},
    {"DEC3N", 4},
    {"FLOAT16_2", 4},
    {"FLOAT16_4", 8},
    {"UNUSED", 0},
}};

constexpr std::array<const char*, 14> kUsages = {
    "POSITION", "BLENDWEIGHT", "BLENDINDICES", "NORMAL", "PSIZE", "TEXCOORD", "TANGENT",
    "BINORMAL", "TESSFACTOR",  "POSITIONT",    "COLOR",  "FOG",   "DEPTH",    "SAMPLE"};

std::uint16_t u16At(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t u32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

float halfToFloat(std::uint16_t h) {
    const float sign = (h & 0x8000u) ? -1.0f : 1.0f;
    const int exponent = (h >> 10) & 0x1F;
    const int mantissa = h & 0x3FF;
    if (exponent == 0)
        return sign * std::ldexp(static_cast<float>(mantissa), -24);
    if (exponent == 31)
        return mantissa == 0 ? sign * INFINITY : NAN;
    return sign * std::ldexp(static_cast<float>(1024 + mantissa), exponent - 25);
}

// The low `bits` bits of `word` from bit `shift`, sign-extended.
int signedField(std::uint32_t word, unsigned shift, unsigned bits) {
    const std::uint32_t field = (word >> shift) & ((1u << bits) - 1u);
    const std::uint32_t signBit = 1u << (bits - 1u);
    return static_cast<int>(field ^ signBit) - static_cast<int>(signBit);
}

void decodeElement(std::uint8_t type, const std::uint8_t* p, DecodedElement& out) {
    auto bytes = [&](float scale) {
        out.count = 4;
        for (unsigned i = 0; i < 4; ++i) {
            out.bytes[i] = p[i];
            out.values[i] = static_cast<float>(p[i]) * scale;
        }
    };
    // Signed normalised shorts reach -1 at both -32767 and -32768, hence the clamp.
    auto shorts = [&](unsigned count, bool isSigned, float scale, float lowest) {
        out.count = count;
        for (unsigned i = 0; i < count; ++i) {
            const std::uint16_t raw = u16At(p + 2 * i);
            const float value = isSigned ? static_cast<float>(static_cast<std::int16_t>(raw))
                                         : static_cast<float>(raw);
            out.values[i] = std::max(value * scale, lowest);
        }
    };
    switch (type) {
    case 0:
    case 1:
    case 2:
    case 3:
        out.count = type + 1u;
        for (unsigned i = 0; i < out.count; ++i)
            out.values[i] = std::bit_cast<float>(u32At(p + 4 * i));
        break;
    case 4:
    case 5:
        bytes(1.0f);
        break;
    case 8:
        bytes(1.0f / 255.0f);
        break;
    case 6:
    case 7:
        shorts(type == 6 ? 2 : 4, true, 1.0f, -32768.0f);
        break;
    case 9:
    case 10:
        shorts(type == 9 ? 2 : 4, true, 1.0f / 32767.0f, -1.0f);
        break;
    case 11:
    case 12:
        shorts(type == 11 ? 2 : 4, false, 1.0f / 65535.0f, 0.0f);
        break;
    case 13:
    case 14: {
        const std::uint32_t word = u32At(p);
        out.count = 3;
        for (unsigned i = 0; i < 3; ++i) {
            out.values[i] =
                type == 13
                    ? static_cast<float>((word >> (10 * i)) & 0x3FFu)
                    : std::max(static_cast<float>(signedField(word, 10 * i, 10)) / 511.0f, -1.0f);
        }
        break;
    }
    case 15:
    case 16:
        out.count = type == 15 ? 2 : 4;
        for (unsigned i = 0; i < out.count; ++i)
            out.values[i] = halfToFloat(u16At(p + 2 * i));
        break;
    default:
        VX_ASSERT_FAIL("elementTypeSize(type) != 0", "declaration element type " << unsigned{type});
    }
}

} // namespace

std::size_t elementTypeSize(std::uint8_t type) {
    return type < kTypes.size() ? kTypes[type].size : 0;
}

const char* elementTypeName(std::uint8_t type) {
    return type < kTypes.size() ? kTypes[type].name : nullptr;
}

const char* elementUsageName(std::uint8_t usage) {
    return usage < kUsages.size() ? kUsages[usage] : nullptr;
}

bool isEndElement(const VertexElement& e) {
    return e.stream == kEndStream && e.offset == 0 && e.type == kTypeUnused && e.method == 0 &&
           e.usage == 0 && e.usageIndex == 0;
}

const DecodedElement* DecodedVertex::find(std::uint8_t usage, std::uint8_t usageIndex) const {
    for (const DecodedElement& e : elements) {
        if (e.usage == usage && e.usageIndex == usageIndex)
            return &e;
    }
    return nullptr;
}

DecodedVertex decodeVertex(const std::vector<VertexElement>& elements, const std::uint8_t* vertex,
                           std::size_t stride) {
    DecodedVertex out;
    for (const VertexElement& element : elements) {
        if (element.stream == kEndStream)
            break;
        const std::size_t size = elementTypeSize(element.type);
        VX_ASSERT(size != 0 && element.offset + size <= stride);
        DecodedElement& decoded = out.elements.emplace_back();
        decoded.usage = element.usage;
        decoded.usageIndex = element.usageIndex;
        decoded.type = element.type;
        decodeElement(element.type, vertex + element.offset, decoded);
    }
    return out;
}

DecodedVertex decodeVertex(const MeshFile& file, std::uint32_t index) {
    VX_ASSERT(index < file.vertexCount);
    return decodeVertex(file.elements, file.vertexData.data() + std::size_t{index} * file.stride,
                        file.stride);
}

} // namespace vx::meshfile
