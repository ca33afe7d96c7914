#pragma once
// Host API stand-in: a file name as the host hands it to translators.
#include <maya/MStatus.h>
#include <maya/MString.h>

class MFileObject {
public:
    MFileObject() = default;

    MStatus setFullName(const MString& fullName);
    MStatus setRawFullName(const MString& fullName) { return setFullName(fullName); }
    // The whole path as given.
    MString fullName() const { return m_fullName; }
    MString rawFullName() const { return m_fullName; }
    // The file name without its folder.
    MString name() const;
    // The folder with a trailing "/", or "".
    MString path() const;
    bool exists() const;

private:
    MString m_fullName;
};
