#include <maya/MTransformationMatrix.h>

#include <cmath>

const MTransformationMatrix MTransformationMatrix::identity;

namespace {

MMatrix translationMatrix(double x, double y, double z) {
    MMatrix m;
    m[3][0] = x;
    m[3][1] = y;
    m[3][2] = z;
    return m;
}

} // namespace

MTransformationMatrix::MTransformationMatrix(const MMatrix& matrix) {
    m_translate = MVector(matrix[3][0], matrix[3][1], matrix[3][2]);
    MVector row[3];
    for (unsigned i = 0; i < 3; ++i)
        row[i] = MVector(matrix[i][0], matrix[i][1], matrix[i][2]);
    // Gram-Schmidt: x axis gives scale x; y loses its x part (shear xy); z loses x and y.
    m_scale[0] = row[0].length();
    row[0] = row[0].normal();
    m_shear[0] = row[0] * row[1];
    row[1] = row[1] - row[0] * m_shear[0];
    m_scale[1] = row[1].length();
    row[1] = row[1].normal();
    if (m_scale[1] != 0.0)
        m_shear[0] /= m_scale[1];
    m_shear[1] = row[0] * row[2];
    row[2] = row[2] - row[0] * m_shear[1];
    m_shear[2] = row[1] * row[2];
    row[2] = row[2] - row[1] * m_shear[2];
    m_scale[2] = row[2].length();
    row[2] = row[2].normal();
    if (m_scale[2] != 0.0) {
        m_shear[1] /= m_scale[2];
        m_shear[2] /= m_scale[2];
    }
    // A mirroring matrix is taken as a negative scale on all three axes.
    if ((row[0] ^ row[1]) * row[2] < 0.0)
        for (unsigned i = 0; i < 3; ++i) {
            m_scale[i] = -m_scale[i];
            row[i] = -row[i];
        }
    MMatrix rotation;
    for (unsigned i = 0; i < 3; ++i) {
        rotation[i][0] = row[i].x;
        rotation[i][1] = row[i].y;
        rotation[i][2] = row[i].z;
    }
    m_rotation = MEulerRotation::decompose(rotation);
}

MMatrix MTransformationMatrix::asScaleMatrix() const {
    MMatrix scale;
    scale[0][0] = m_scale[0];
    scale[1][1] = m_scale[1];
    scale[2][2] = m_scale[2];
    MMatrix shear;
    shear[1][0] = m_shear[0];
    shear[2][0] = m_shear[1];
    shear[2][1] = m_shear[2];
    return scale * shear;
}

MMatrix MTransformationMatrix::asRotateMatrix() const {
    return m_rotateAxis.asMatrix() * m_rotation.asMatrix();
}

MMatrix MTransformationMatrix::asMatrix() const {
    const MPoint& sp = m_scalePivot;
    const MPoint& rp = m_rotatePivot;
    return translationMatrix(-sp.x, -sp.y, -sp.z) * asScaleMatrix() *
           translationMatrix(sp.x, sp.y, sp.z) *
           translationMatrix(m_scalePivotTranslate.x, m_scalePivotTranslate.y,
                             m_scalePivotTranslate.z) *
           translationMatrix(-rp.x, -rp.y, -rp.z) * asRotateMatrix() *
           translationMatrix(rp.x, rp.y, rp.z) *
           translationMatrix(m_rotatePivotTranslate.x, m_rotatePivotTranslate.y,
                             m_rotatePivotTranslate.z) *
           translationMatrix(m_translate.x, m_translate.y, m_translate.z);
}

MVector MTransformationMatrix::translation(MSpace::Space space, MStatus* status) const {
    if (status)
        *status = MStatus::kSuccess;
    if (space == MSpace::kWorld) {
        // Held without a parent, the world position is where the matrix puts the origin.
        const MMatrix m = asMatrix();
        return {m[3][0], m[3][1], m[3][2]};
    }
    return m_translate;
}

MStatus MTransformationMatrix::setTranslation(const MVector& vector, MSpace::Space) {
    m_translate = vector;
    return MStatus::kSuccess;
}

MQuaternion MTransformationMatrix::rotation() const {
    return m_rotation.asQuaternion();
}

MStatus MTransformationMatrix::setRotationQuaternion(double x, double y, double z, double w) {
    MEulerRotation e = MQuaternion(x, y, z, w).asEulerRotation();
    e.order = MEulerRotation::kXYZ;
    m_rotation = e;
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::getRotation(double rotation[3], RotationOrder& order) const {
    rotation[0] = m_rotation.x;
    rotation[1] = m_rotation.y;
    rotation[2] = m_rotation.z;
    order = static_cast<RotationOrder>(m_rotation.order + 1);
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setRotation(const MEulerRotation& rotation) {
    m_rotation = rotation;
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setRotationOrientation(const MQuaternion& q) {
    m_rotateAxis = q;
    return MStatus::kSuccess;
}

MTransformationMatrix::RotationOrder MTransformationMatrix::rotationOrder(MStatus* status) const {
    if (status)
        *status = MStatus::kSuccess;
    return static_cast<RotationOrder>(m_rotation.order + 1);
}

MStatus MTransformationMatrix::getScale(double scale[3], MSpace::Space) const {
    for (int i = 0; i < 3; ++i)
        scale[i] = m_scale[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setScale(const double scale[3], MSpace::Space) {
    for (int i = 0; i < 3; ++i)
        m_scale[i] = scale[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::getShear(double shear[3], MSpace::Space) const {
    for (int i = 0; i < 3; ++i)
        shear[i] = m_shear[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setShear(const double shear[3], MSpace::Space) {
    for (int i = 0; i < 3; ++i)
        m_shear[i] = shear[i];
    return MStatus::kSuccess;
}

MPoint MTransformationMatrix::scalePivot(MSpace::Space, MStatus* status) const {
    if (status)
        *status = MStatus::kSuccess;
    return m_scalePivot;
}

MStatus MTransformationMatrix::setScalePivot(const MPoint& point, MSpace::Space, bool) {
    m_scalePivot = point;
    return MStatus::kSuccess;
}

MPoint MTransformationMatrix::rotatePivot(MSpace::Space, MStatus* status) const {
    if (status)
        *status = MStatus::kSuccess;
    return m_rotatePivot;
}

MStatus MTransformationMatrix::setRotatePivot(const MPoint& point, MSpace::Space, bool) {
    m_rotatePivot = point;
    return MStatus::kSuccess;
}

MVector MTransformationMatrix::scalePivotTranslation(MSpace::Space, MStatus* status) const {
    if (status)
        *status = MStatus::kSuccess;
    return m_scalePivotTranslate;
}

MStatus MTransformationMatrix::setScalePivotTranslation(const MVector& vector, MSpace::Space) {
    m_scalePivotTranslate = vector;
    return MStatus::kSuccess;
}

MVector MTransformationMatrix::rotatePivotTranslation(MSpace::Space, MStatus* status) const {
    if (status)
        *status = MStatus::kSuccess;
    return m_rotatePivotTranslate;
}

MStatus MTransformationMatrix::setRotatePivotTranslation(const MVector& vector, MSpace::Space) {
    m_rotatePivotTranslate = vector;
    return MStatus::kSuccess;
}
