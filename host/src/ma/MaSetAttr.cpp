// setAttr: every value form scene files use.
#include <vornexhost/MaPolyFaces.h>
#include <vornexhost/MaStatements.h>
#include <vornexhost/MaValueRuns.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <maya/MTransformationMatrix.h>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace vornexhost {

namespace {

struct TypeShape {
    std::string_view name;
    unsigned count;
};

// Compound value types: how many numbers one value has.
constexpr TypeShape kNumericTypes[] = {
    {"double2", 2}, {"double3", 3}, {"double4", 4},        {"float2", 2},     {"float3", 3},
    {"float4", 4},  {"long2", 2},   {"long3", 3},          {"short2", 2},     {"short3", 3},
    {"int2", 2},    {"int3", 3},    {"reflectanceRGB", 3}, {"spectrumRGB", 3}};

unsigned numericTypeCount(std::string_view type) {
    for (const TypeShape& t : kNumericTypes)
        if (t.name == type)
            return t.count;
    return 0;
}

// Leaves (numbers) of one element of an attribute: 1 for a number, n for a numeric compound.
unsigned leafCount(const Attribute& a) {
    return a.children.empty() ? 1u : static_cast<unsigned>(a.children.size());
}

const Attribute* leafAttribute(const Attribute& a, unsigned leaf) {
    return a.children.empty() ? &a : a.children[leaf].get();
}

} // namespace

void MaStatements::readString(std::string& out) {
    // A string, or strings joined with "+", possibly in parentheses.
    out.clear();
    unsigned parens = 0;
    while (m_tokens.peek().kind == TokenKind::LParen) {
        next();
        ++parens;
    }
    while (true) {
        const Token t = expect(TokenKind::String, "a string");
        MaTokenizer::unescape(t, m_scratch);
        out += m_scratch;
        const Token& p = m_tokens.peek();
        if (p.kind == TokenKind::Word && p.text == "+") {
            next();
            continue;
        }
        break;
    }
    for (; parens > 0; --parens)
        expect(TokenKind::RParen, "')' closing a string");
}

std::shared_ptr<Data> MaStatements::readRaw() {
    auto data = std::make_shared<Data>(DataKind::Raw);
    while (m_tokens.peek().kind != TokenKind::Semicolon) {
        const Token t = next();
        std::string piece;
        MaTokenizer::unescape(t, piece);
        if (t.kind == TokenKind::Word || t.kind == TokenKind::String)
            data->strings.push_back(std::move(piece));
    }
    return data;
}

std::shared_ptr<Data> MaStatements::readNurbsCurve() {
    auto data = std::make_shared<Data>(DataKind::NurbsCurve);
    NurbsCurveData& c = data->curve;
    c.degree = static_cast<int>(expectCount("the curve degree", 0));
    c.spans = static_cast<int>(expectCount("the curve spans", 0));
    c.form = static_cast<int>(expectCount("the curve form", 0));
    c.rational = expectNumber("the curve's rational flag") != 0.0;
    c.dimension = static_cast<int>(expectCount("the curve dimension", 0));
    if (c.degree < 1 || c.degree > 7 || c.form > 2 || c.dimension < 2 || c.dimension > 3)
        fail("bad nurbsCurve header");
    const std::uint64_t knots = expectCount("the knot count", 2);
    c.knots.reserve(knots);
    for (std::uint64_t i = 0; i < knots; ++i)
        c.knots.push_back(expectNumber("a knot"));
    const std::uint64_t cvs = expectCount("the control point count", 2);
    const std::uint64_t stride = static_cast<std::uint64_t>(c.dimension) + (c.rational ? 1u : 0u);
    c.cvs.reserve(cvs * stride);
    for (std::uint64_t i = 0; i < cvs * stride; ++i)
        c.cvs.push_back(m_scene.units.toInternal(
            i % stride < unsigned(c.dimension) ? AttrUnit::Distance : AttrUnit::None,
            expectNumber("a control point")));
    return data;
}

std::shared_ptr<Data> MaStatements::readPolyFaces(std::uint64_t expectedFaces) {
    auto data = std::make_shared<Data>(DataKind::PolyFaces);
    auto finish = [&](PolyFaces& f) {
        closePolyFaces(f);
        if (expectedFaces > 0 && f.faceCount() != expectedFaces)
            fail("polyFaces data holds " + std::to_string(f.faceCount()) + " faces for " +
                 std::to_string(expectedFaces) + " elements");
    };
    // A long run is read in pieces on several threads and joined at its final size.
    if (readPolyFacesRunInPieces(m_tokens, data->faces)) {
        finish(data->faces);
        return data;
    }
    // On one thread, into arrays kept from one mesh to the next, then copied at their final
    // size: the arrays of a large mesh are not regrown (and their memory not fetched afresh).
    PolyFaces& f = m_faces;
    f.clear();
    readPolyFaceRecords(m_read, f, false);
    finish(f);
    data->faces = f;
    return data;
}

std::shared_ptr<Data> MaStatements::readTyped(std::string_view type, const Attribute* attribute) {
    const Units& units = m_scene.units;
    if (type == "string") {
        auto d = std::make_shared<Data>(DataKind::String);
        readString(d->text);
        return d;
    }
    if (type == "stringArray" || type == "componentList") {
        auto d = std::make_shared<Data>(type == "stringArray" ? DataKind::StringArray
                                                              : DataKind::ComponentList);
        const std::uint64_t n = expectCount("the string count", 2);
        d->strings.reserve(n);
        for (std::uint64_t i = 0; i < n; ++i) {
            d->strings.emplace_back();
            readString(d->strings.back());
        }
        return d;
    }
    if (type == "matrix") {
        auto d = std::make_shared<Data>(DataKind::Matrix);
        if (m_tokens.peek().kind == TokenKind::String) {
            const std::string form = expectString("a matrix form");
            if (form != "xform")
                fail("unknown matrix form \"" + form + "\"");
            // scale, rotate, order, translate, shear, pivots and their translations, rotate
            // axis and joint orient quaternions, inverse parent scale, compensation flag.
            double v[37];
            for (double& x : v)
                x = expectNumber("a transformation value");
            MTransformationMatrix tm;
            tm.setScale(v, MSpace::kTransform);
            const int order = numeric::toInt(v[6]);
            tm.setRotation(MEulerRotation(v[3], v[4], v[5],
                                          order >= 0 && order <= 5
                                              ? static_cast<MEulerRotation::RotationOrder>(order)
                                              : MEulerRotation::kXYZ));
            tm.setTranslation(MVector(v[7], v[8], v[9]) * (1.0 / units.linearPerCm),
                              MSpace::kTransform);
            tm.setShear(v + 10, MSpace::kTransform);
            tm.setScalePivot(MPoint(v[13], v[14], v[15]), MSpace::kTransform, false);
            tm.setScalePivotTranslation(MVector(v[16], v[17], v[18]), MSpace::kTransform);
            tm.setRotatePivot(MPoint(v[19], v[20], v[21]), MSpace::kTransform, false);
            tm.setRotatePivotTranslation(MVector(v[22], v[23], v[24]), MSpace::kTransform);
            tm.setRotationOrientation(MQuaternion(v[25], v[26], v[27], v[28]));
            MMatrix m = tm.asMatrix();
            // The joint orientation sits between the rotation and the translation.
            const MMatrix jo = MQuaternion(v[29], v[30], v[31], v[32]).asMatrix();
            MMatrix t;
            t[3][0] = m[3][0];
            t[3][1] = m[3][1];
            t[3][2] = m[3][2];
            m[3][0] = m[3][1] = m[3][2] = 0.0;
            m = m * jo * t;
            for (unsigned r = 0; r < 4; ++r)
                for (unsigned c = 0; c < 4; ++c)
                    d->numbers.push_back(m[r][c]);
            return d;
        }
        d->numbers.reserve(16);
        for (int i = 0; i < 16; ++i)
            d->numbers.push_back(expectNumber("a matrix element"));
        // The translation row is in the file's linear unit.
        for (int i = 12; i < 15; ++i)
            d->numbers[static_cast<std::size_t>(i)] =
                units.toInternal(AttrUnit::Distance, d->numbers[static_cast<std::size_t>(i)]);
        return d;
    }
    if (type == "doubleArray" || type == "Int32Array" || type == "pointArray" ||
        type == "vectorArray") {
        const unsigned stride = type == "pointArray" ? 4u : (type == "vectorArray" ? 3u : 1u);
        const DataKind kind = type == "doubleArray"  ? DataKind::DoubleArray
                              : type == "Int32Array" ? DataKind::IntArray
                              : type == "pointArray" ? DataKind::PointArray
                                                     : DataKind::VectorArray;
        auto d = std::make_shared<Data>(kind);
        const std::uint64_t n = expectCount("the array length", 2 * stride);
        if (kind == DataKind::IntArray) {
            d->ints.reserve(n);
            for (std::uint64_t i = 0; i < n; ++i) {
                const double v = expectNumber("an integer");
                if (v != std::floor(v) || std::fabs(v) > 2147483647.0)
                    fail("Int32Array value out of range");
                d->ints.push_back(static_cast<std::int32_t>(v));
            }
        } else {
            d->numbers.reserve(n * stride);
            for (std::uint64_t i = 0; i < n * stride; ++i)
                d->numbers.push_back(expectNumber("an array element"));
        }
        return d;
    }
    if (type == "nurbsCurve")
        return readNurbsCurve();
    if (type == "dataReferenceEdits")
        return readReferenceEdits();
    if (type == "polyFaces")
        return readPolyFaces(0);
    if (const unsigned count = numericTypeCount(type)) {
        auto d = std::make_shared<Data>(DataKind::Numbers);
        for (unsigned i = 0; i < count; ++i) {
            const double v = expectNumber("a value");
            const AttrUnit unit = attribute && i < leafCount(*attribute)
                                      ? leafAttribute(*attribute, i)->unit
                                      : AttrUnit::None;
            d->numbers.push_back(units.toInternal(unit, v));
        }
        return d;
    }
    static constexpr std::string_view kKeptAsWritten[] = {"dataPolyComponent",
                                                          "nurbsSurface",
                                                          "attributeAlias",
                                                          "dataReferenceEdits",
                                                          "characterMapping",
                                                          "mesh",
                                                          "lattice",
                                                          "sphere",
                                                          "cone",
                                                          "subd",
                                                          "Int64Array",
                                                          "floatArray",
                                                          "dataBezierCurve",
                                                          "dataNurbsCurve",
                                                          "Int32Array2"};
    bool known = false;
    for (std::string_view k : kKeptAsWritten)
        known = known || k == type;
    if (!known)
        warn(m_tokens.line(), "value type \"" + std::string(type) + "\" kept as written");
    return readRaw();
}

void MaStatements::readNumbersToEnd() {
    m_numbers.clear();
    while (m_tokens.peek().kind != TokenKind::Semicolon)
        m_numbers.push_back(expectNumber("a value"));
    expectEnd();
}

void MaStatements::setNumbers(const PlugAddress& target, const std::vector<double>& values) {
    const Attribute& a = *target.attribute;
    const Units& units = m_scene.units;
    if (a.kind == AttrKind::Numeric || (a.kind == AttrKind::Compound && !a.children.empty())) {
        const unsigned leaves = leafCount(a);
        if (values.size() != leaves)
            fail("attribute \"" + a.longName + "\" takes " + std::to_string(leaves) + " values, " +
                 std::to_string(values.size()) + " given");
        if (a.children.empty()) {
            setStoredNumber(target, units.toInternal(a.unit, values[0]));
            return;
        }
        for (unsigned i = 0; i < leaves; ++i) {
            const Attribute* leaf = a.children[i].get();
            if (leaf->kind != AttrKind::Numeric && leaf->kind != AttrKind::Generic)
                fail("attribute \"" + a.longName + "\" does not take numbers");
            setStoredNumber(childOf(target, leaf), units.toInternal(leaf->unit, values[i]));
        }
        return;
    }
    if (a.kind == AttrKind::Generic) {
        if (values.size() == 1) {
            setStoredNumber(target, values[0]);
            return;
        }
        auto d = std::make_shared<Data>(DataKind::Numbers);
        d->numbers = values;
        setStoredData(target, std::move(d));
        return;
    }
    fail("attribute \"" + a.longName + "\" does not take numbers");
}

void MaStatements::setSingle(const PlugAddress& target, std::string_view type) {
    const Attribute& a = *target.attribute;
    const bool numericTarget =
        a.kind == AttrKind::Numeric || (a.kind == AttrKind::Compound && !a.children.empty());
    if (!type.empty() && !(numericTarget && numericTypeCount(type) > 0)) {
        std::shared_ptr<Data> data = readTyped(type, &a);
        expectEnd();
        if (a.kind == AttrKind::Numeric || a.kind == AttrKind::Message ||
            (a.kind == AttrKind::Compound && !a.children.empty()))
            fail("attribute \"" + a.longName + "\" does not take " + std::string(type) + " data");
        setStoredData(target, std::move(data));
        return;
    }
    // Plain values: numbers, or (for a generic or string attribute) strings.
    if (!numericTarget && m_tokens.peek().kind == TokenKind::String) {
        auto d = std::make_shared<Data>(DataKind::String);
        readString(d->text);
        if (m_tokens.peek().kind == TokenKind::String) {
            d->kind = DataKind::StringArray;
            d->strings.push_back(std::move(d->text));
            d->text.clear();
            while (m_tokens.peek().kind == TokenKind::String) {
                d->strings.emplace_back();
                readString(d->strings.back());
            }
        }
        expectEnd();
        if (a.kind != AttrKind::Generic && a.kind != AttrKind::Typed)
            fail("attribute \"" + a.longName + "\" does not take strings");
        setStoredData(target, std::move(d));
        return;
    }
    readNumbersToEnd();
    if (m_numbers.empty())
        return; // flags only (-k, -l, -s)
    if (target.isArrayPlug()) {
        // An array given whole: "n i0 v0 i1 v1 ..." (sparse), or consecutive values.
        const Attribute& element = a;
        const unsigned stride = leafCount(element);
        const double first = m_numbers[0];
        const std::size_t pairs = (m_numbers.size() - 1) / 2;
        // The count is compared as a double: a huge first number must not be converted.
        if (stride == 1 && first == std::floor(first) && first >= 0.0 &&
            static_cast<double>(m_numbers.size()) == 1.0 + 2.0 * first) {
            for (std::size_t i = 0; i < pairs; ++i) {
                const double index = m_numbers[1 + 2 * i];
                if (index != std::floor(index) || index < 0.0 || index > 2147483647.0)
                    fail("bad element index in a sparse value list");
                PlugAddress e = elementOf(target, static_cast<std::int32_t>(index));
                setStoredNumber(e, m_scene.units.toInternal(element.unit, m_numbers[2 + 2 * i]));
            }
            return;
        }
        if (m_numbers.size() % stride != 0)
            fail("values do not fill whole elements of \"" + a.longName + "\"");
        std::vector<double> one(stride);
        for (std::size_t i = 0; i < m_numbers.size() / stride; ++i) {
            std::copy_n(m_numbers.begin() + static_cast<std::ptrdiff_t>(i * stride), stride,
                        one.begin());
            setNumbers(elementOf(target, static_cast<std::int32_t>(i)), one);
        }
        return;
    }
    setNumbers(target, m_numbers);
}

void MaStatements::setPackedRange(const ResolvedPlug& target, std::string_view) {
    // The hot path for mesh data: numbers go straight into the flat element array.
    PlugAddress arrayPlug = target.plug;
    std::vector<const Attribute*> chain = arrayPlug.chain();
    const Attribute* arrayAttr = nullptr;
    for (const Attribute* x : chain)
        if (x->array && x->packsElements())
            arrayAttr = x;
    int leafOffset = -1;
    if (target.plug.attribute != arrayAttr)
        leafOffset = static_cast<int>(target.plug.attribute->childIndex);
    arrayPlug.attribute = arrayAttr;
    arrayPlug.indices.resize(static_cast<std::size_t>(target.rangeLevel) + 1);
    arrayPlug.indices.back() = -1;
    ArrayStore* array = arrayStoreOf(arrayPlug, true);
    if (!array)
        fail("cannot store values in \"" + arrayAttr->longName + "\"");
    const std::uint64_t count = std::uint64_t(target.rangeLast) - target.rangeFirst + 1;
    const unsigned stride = leafOffset >= 0 ? 1u : array->stride;
    if (count * stride > m_tokens.remaining() / 2 + 1)
        fail("range of " + std::to_string(count) + " elements is larger than the file can hold");
    if (m_sizedCount > 0 && arrayPlug == m_sizedArray) {
        // Room for every element announced, so that the ranges append without regrowing; no
        // more than the rest of the file can fill.
        array->reserve(static_cast<std::size_t>(
            std::min<std::uint64_t>(m_sizedCount, array->size() + m_tokens.remaining() / 2 + 1)));
        m_sizedCount = 0;
    }
    const std::size_t first =
        array->obtainRange(target.rangeFirst, static_cast<std::uint32_t>(count));
    const bool contiguous = array->logical[first + count - 1] == target.rangeLast;
    // Unit factors of the first eight leaves; later leaves of wider elements are kept as written.
    double factors[8];
    for (unsigned i = 0; i < stride && i < 8; ++i) {
        const unsigned leaf = leafOffset >= 0 ? unsigned(leafOffset) : i;
        factors[i] = m_scene.units.toInternal(leafAttribute(*arrayAttr, leaf)->unit, 1.0);
    }
    auto scaled = [&](unsigned i, double v) { return i < 8 ? v * factors[i] : v; };
    auto readValue = [&](unsigned i) {
        double v = 0.0;
        if (!m_tokens.nextNumber(v)) {
            // Not a plain number: a word such as "yes", or the error to report.
            const Token t = m_tokens.next();
            if (t.kind == TokenKind::Semicolon || t.kind == TokenKind::End)
                throw MaSyntaxError{t.line, "\"" + arrayAttr->longName + "\" range of " +
                                                std::to_string(count) + " elements ends early"};
            if (!parseNumber(t, v))
                throw MaSyntaxError{t.line, "bad number '" + std::string(t.text) + "'"};
        }
        return scaled(i, v);
    };
    if (contiguous && leafOffset < 0 && array->packing != ArrayStore::Packing::None) {
        // Whole consecutive elements: every leaf in storage order, straight into the flat array
        // (obtainRange made room for them), converted as setNumber converts.
        const std::size_t values = static_cast<std::size_t>(count) * stride;
        auto fill = [&](auto* out) {
            using T = std::remove_pointer_t<decltype(out)>;
            auto put = [out](std::size_t k, double v) {
                if constexpr (std::is_same_v<T, float>)
                    out[k] = static_cast<float>(v);
                else if constexpr (std::is_same_v<T, std::int32_t>)
                    out[k] = numeric::toInt(v);
                else
                    out[k] = v;
            };
            // A long run is read on several threads, each piece's numbers straight into place.
            const bool inPieces = readNumberRunInPieces(
                m_tokens, values, [&](std::size_t k, const double* piece, std::size_t n) {
                    unsigned i = static_cast<unsigned>(k % stride);
                    for (std::size_t j = 0; j < n; ++j) {
                        put(k + j, scaled(i, piece[j]));
                        if (++i == stride)
                            i = 0;
                    }
                });
            if (inPieces)
                return;
            unsigned i = 0;
            for (std::size_t k = 0; k < values; ++k) {
                put(k, readValue(i));
                if (++i == stride)
                    i = 0;
            }
        };
        const std::size_t at = first * stride;
        switch (array->packing) {
        case ArrayStore::Packing::Float:
            fill(array->floats.data() + at);
            break;
        case ArrayStore::Packing::Double:
            fill(array->doubles.data() + at);
            break;
        case ArrayStore::Packing::Int:
            fill(array->ints.data() + at);
            break;
        case ArrayStore::Packing::None:
            break;
        }
    } else {
        for (std::uint64_t e = 0; e < count; ++e) {
            const std::size_t physical =
                contiguous ? first + e
                           : static_cast<std::size_t>(
                                 array->find(target.rangeFirst + static_cast<std::uint32_t>(e)));
            for (unsigned i = 0; i < stride; ++i)
                array->setNumber(physical, leafOffset >= 0 ? unsigned(leafOffset) : i,
                                 readValue(i));
        }
    }
    const Token end = m_tokens.next();
    if (end.kind != TokenKind::Semicolon)
        throw MaSyntaxError{end.line, "more values than the " + std::to_string(count) +
                                          " elements of \"" + arrayAttr->longName + "\""};
}

void MaStatements::setSparseArrays(const ResolvedPlug& target) {
    // ".wl[0:7].w" n i v i v ...: each element of the range gets a sparse list of numbers.
    const Attribute& element = *target.plug.attribute;
    for (std::uint32_t e = target.rangeFirst;; ++e) {
        PlugAddress plug = target.plug;
        plug.indices[static_cast<std::size_t>(target.rangeLevel)] = static_cast<std::int32_t>(e);
        const std::uint64_t n = expectCount("an element's value count", 4);
        for (std::uint64_t i = 0; i < n; ++i) {
            const std::uint64_t index = expectCount("an element index", 0);
            if (index > 0x7fffffffu)
                fail("element index out of range");
            const double v = expectNumber("a value");
            setStoredNumber(elementOf(plug, static_cast<std::int32_t>(index)),
                            m_scene.units.toInternal(element.unit, v));
        }
        if (e == target.rangeLast)
            break;
    }
    expectEnd();
}

void MaStatements::setRange(const ResolvedPlug& target, std::string_view type) {
    const Attribute& a = *target.plug.attribute;
    // Which array attribute the range indexes.
    const Attribute* rangeAttr = nullptr;
    int level = -1;
    for (const Attribute* x : target.plug.chain())
        if (x->array && ++level == target.rangeLevel)
            rangeAttr = x;
    const bool rangeIsLast = rangeAttr == &a;
    const bool rangeOnParent = rangeAttr == a.parent && !a.array;
    if (rangeAttr && rangeAttr->packsElements() && (rangeIsLast || rangeOnParent) &&
        (type.empty() || numericTypeCount(type) > 0)) {
        setPackedRange(target, type);
        return;
    }
    if (target.plug.isArrayPlug() && a.packsElements() && type.empty() &&
        static_cast<int>(target.plug.indices.size()) - 1 > target.rangeLevel) {
        setSparseArrays(target);
        return;
    }
    const std::uint64_t count = std::uint64_t(target.rangeLast) - target.rangeFirst + 1;
    if (count > m_tokens.remaining() / 2 + 1)
        fail("range of " + std::to_string(count) + " elements is larger than the file can hold");
    auto plugAt = [&](std::uint64_t e) {
        PlugAddress p = target.plug;
        p.indices[static_cast<std::size_t>(target.rangeLevel)] =
            static_cast<std::int32_t>(target.rangeFirst + e);
        return p;
    };
    if (type == "polyFaces") {
        const std::shared_ptr<const Data> faces = readPolyFaces(count);
        expectEnd();
        if (a.kind != AttrKind::Typed && a.kind != AttrKind::Generic)
            fail("attribute \"" + a.longName + "\" does not take polyFaces data");
        PlugAddress whole = target.plug;
        whole.indices.resize(static_cast<std::size_t>(target.rangeLevel) + 1);
        whole.indices.back() = -1;
        if (rangeIsLast)
            if (ArrayStore* array = arrayStoreOf(whole, true)) {
                const std::size_t first =
                    array->obtainRange(target.rangeFirst, static_cast<std::uint32_t>(count));
                // Consecutive elements: each is the next face, set in place.
                if (array->packing == ArrayStore::Packing::None &&
                    array->logical[first + count - 1] == target.rangeLast) {
                    for (std::uint64_t e = 0; e < count; ++e) {
                        PlugStore& element = array->elements[first + e];
                        element.hasValue = true;
                        element.data = faces;
                        element.part = static_cast<std::uint32_t>(e);
                    }
                    return;
                }
            }
        for (std::uint64_t e = 0; e < count; ++e)
            setStoredData(plugAt(e), faces, static_cast<std::uint32_t>(e));
        return;
    }
    if (!type.empty() && !numericTypeCount(type)) {
        for (std::uint64_t e = 0; e < count; ++e)
            setStoredData(plugAt(e), readTyped(type, &a));
        expectEnd();
        return;
    }
    // Plain values shared out evenly over the elements.
    readNumbersToEnd();
    if (m_numbers.empty())
        return;
    if (m_numbers.size() % count != 0)
        fail(std::to_string(m_numbers.size()) + " values do not share out over " +
             std::to_string(count) + " elements of \"" + a.longName + "\"");
    const std::size_t each = m_numbers.size() / count;
    std::vector<double> one(each);
    for (std::uint64_t e = 0; e < count; ++e) {
        std::copy_n(m_numbers.begin() + static_cast<std::ptrdiff_t>(e * each), each, one.begin());
        setNumbers(plugAt(e), one);
    }
}

std::uint64_t MaStatements::setAttrFlags() {
    std::uint64_t size = 0;
    while (isFlag(m_tokens.peek())) {
        const Token flag = next();
        if (m_tokens.peek().kind == TokenKind::Word && !isFlag(m_tokens.peek())) {
            const Token value = next();
            std::uint64_t n = 0;
            if ((flag.text == "-s" || flag.text == "-size") && parseCount(value, n))
                size = n;
        }
    }
    return size;
}

void MaStatements::setAttr() {
    const std::uint32_t line = m_read.statementLine();
    std::uint64_t size = setAttrFlags();
    const std::string path = expectString("the attribute of setAttr");
    std::string type;
    if (isFlag(m_tokens.peek()) &&
        (m_tokens.peek().text == "-type" || m_tokens.peek().text == "-typ")) {
        next();
        type = expectString("a type name after -type");
    }
    if (const std::uint64_t later = setAttrFlags())
        size = later;
    ResolvedPlug target;
    if (!resolve(path, true, target, line)) {
        skipStatement();
        return;
    }
    if (target.plug.attribute->kind == AttrKind::Message ||
        target.plug.attribute->computed == Computed::WorldMatrix) {
        skipStatement();
        return;
    }
    if (size > 0 && target.rangeLevel < 0 && target.plug.isArrayPlug()) {
        // "setAttr -s N" on a whole array announces the ranges that follow.
        m_sizedArray = target.plug;
        m_sizedCount = size;
    }
    if (target.rangeLevel >= 0)
        setRange(target, type);
    else
        setSingle(target.plug, type);
}

} // namespace vornexhost
