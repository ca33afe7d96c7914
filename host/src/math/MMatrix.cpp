#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <cmath>
#include <utility>

const MMatrix MMatrix::identity;

MMatrix::MMatrix() : matrix{} {
    setToIdentity();
}

MMatrix::MMatrix(const double m[4][4]) : matrix{} {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = m[r][c];
}

MMatrix& MMatrix::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

MMatrix MMatrix::operator*(const MMatrix& right) const {
    MMatrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += matrix[r][k] * right.matrix[k][c];
            out.matrix[r][c] = sum;
        }
    return out;
}

MMatrix& MMatrix::operator*=(const MMatrix& right) {
    *this = *this * right;
    return *this;
}

bool MMatrix::operator==(const MMatrix& other) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (matrix[r][c] != other.matrix[r][c])
                return false;
    return true;
}

bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(matrix[r][c] - other.matrix[r][c]) > tolerance)
                return false;
    return true;
}

MMatrix MMatrix::transpose() const {
    MMatrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.matrix[r][c] = matrix[c][r];
    return out;
}

double MMatrix::det3x3() const {
    const auto& m = matrix;
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

double MMatrix::det4x4() const {
    // Gaussian elimination with partial pivoting on a copy.
    double a[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            a[r][c] = matrix[r][c];
    double det = 1.0;
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (a[pivot][col] == 0.0)
            return 0.0;
        if (pivot != col) {
            for (int c = 0; c < 4; ++c)
                std::swap(a[pivot][c], a[col][c]);
            det = -det;
        }
        det *= a[col][col];
        for (int r = col + 1; r < 4; ++r) {
            const double f = a[r][col] / a[col][col];
            for (int c = col; c < 4; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    return det;
}

MMatrix MMatrix::inverse() const {
    // Gauss-Jordan with partial pivoting; a singular matrix gives the identity, as a
    // degenerate transform (zero scale) must not poison everything below it with NaNs.
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = matrix[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (std::fabs(a[pivot][col]) < 1.0e-300)
            return MMatrix();
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        const double inv = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col];
            if (f != 0.0)
                for (int c = 0; c < 8; ++c)
                    a[r][c] -= f * a[col][c];
        }
    }
    MMatrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.matrix[r][c] = a[r][c + 4];
    return out;
}

const MVector MVector::zero(0.0, 0.0, 0.0);
const MVector MVector::xAxis(1.0, 0.0, 0.0);
const MVector MVector::yAxis(0.0, 1.0, 0.0);
const MVector MVector::zAxis(0.0, 0.0, 1.0);
const MPoint MPoint::origin(0.0, 0.0, 0.0, 1.0);

MVector MVector::operator*(const MMatrix& m) const {
    // A direction ignores the translation row.
    return {x * m[0][0] + y * m[1][0] + z * m[2][0], x * m[0][1] + y * m[1][1] + z * m[2][1],
            x * m[0][2] + y * m[1][2] + z * m[2][2]};
}

double MVector::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

MVector MVector::normal() const {
    const double len = length();
    return len > 0.0 ? MVector(x / len, y / len, z / len) : *this;
}

bool MVector::isEquivalent(const MVector& o, double tolerance) const {
    return std::fabs(x - o.x) <= tolerance && std::fabs(y - o.y) <= tolerance &&
           std::fabs(z - o.z) <= tolerance;
}

MPoint MPoint::operator*(const MMatrix& m) const {
    return {x * m[0][0] + y * m[1][0] + z * m[2][0] + w * m[3][0],
            x * m[0][1] + y * m[1][1] + z * m[2][1] + w * m[3][1],
            x * m[0][2] + y * m[1][2] + z * m[2][2] + w * m[3][2],
            x * m[0][3] + y * m[1][3] + z * m[2][3] + w * m[3][3]};
}

bool MPoint::isEquivalent(const MPoint& o, double tolerance) const {
    return std::fabs(x - o.x) <= tolerance && std::fabs(y - o.y) <= tolerance &&
           std::fabs(z - o.z) <= tolerance && std::fabs(w - o.w) <= tolerance;
}
