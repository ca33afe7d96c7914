#pragma once
// Host API stand-in: 4x4 double matrix in the host's row-vector layout: rows 0 to 2 are the
// axes, row 3 the translation; a point transforms as p * M.

class MMatrix {
public:
    MMatrix();
    explicit MMatrix(const double m[4][4]);

    double operator()(unsigned int row, unsigned int col) const { return matrix[row][col]; }
    double& operator()(unsigned int row, unsigned int col) { return matrix[row][col]; }
    const double* operator[](unsigned int row) const { return matrix[row]; }
    double* operator[](unsigned int row) { return matrix[row]; }

    MMatrix operator*(const MMatrix& right) const;
    MMatrix& operator*=(const MMatrix& right);
    bool operator==(const MMatrix& other) const;
    bool operator!=(const MMatrix& other) const { return !(*this == other); }

    MMatrix transpose() const;
    MMatrix inverse() const;
    double det4x4() const;
    double det3x3() const;
    MMatrix& setToIdentity();
    bool isEquivalent(const MMatrix& other, double tolerance = 1.0e-10) const;

    static const MMatrix identity;

    double matrix[4][4];
};
