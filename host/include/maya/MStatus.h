#pragma once
// Host API stand-in: result of a host call.

class MString;

class MStatus {
public:
    enum MStatusCode {
        kSuccess = 0,
        kFailure,
        kInsufficientMemory,
        kInvalidParameter,
        kLicenseFailure,
        kUnknownParameter,
        kNotImplemented,
        kNotFound,
        kEndOfFile
    };

    MStatus() = default;
    MStatus(MStatusCode code) : m_code(code) {} // NOLINT: implicit as in the host API

    bool error() const { return m_code != kSuccess; }
    void clear() { m_code = kSuccess; }
    MStatusCode statusCode() const { return m_code; }
    MString errorString() const;
    void perror(const MString& prefix) const;

    operator bool() const { return m_code == kSuccess; } // NOLINT: the host API converts to bool
    bool operator==(const MStatus& other) const { return m_code == other.m_code; }
    bool operator==(MStatusCode code) const { return m_code == code; }
    bool operator!=(const MStatus& other) const { return m_code != other.m_code; }
    bool operator!=(MStatusCode code) const { return m_code != code; }

private:
    MStatusCode m_code = kSuccess;
};
