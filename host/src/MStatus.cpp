#include <maya/MGlobal.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

MString MStatus::errorString() const {
    switch (m_code) {
    case kSuccess:
        return "Success";
    case kFailure:
        return "(kFailure): Unexpected Internal Failure";
    case kInsufficientMemory:
        return "(kInsufficientMemory): Insufficient Memory";
    case kInvalidParameter:
        return "(kInvalidParameter): Invalid Parameter";
    case kLicenseFailure:
        return "(kLicenseFailure): License Failure";
    case kUnknownParameter:
        return "(kUnknownParameter): Unknown Parameter";
    case kNotImplemented:
        return "(kNotImplemented): Not Implemented";
    case kNotFound:
        return "(kNotFound): Not Found";
    case kEndOfFile:
        return "(kEndOfFile): End of File";
    }
    return "(kFailure): Unexpected Internal Failure";
}

void MStatus::perror(const MString& prefix) const {
    if (error())
        MGlobal::displayError(prefix + ": " + errorString());
}
