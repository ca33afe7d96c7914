#pragma once
// Host API stand-in: the arguments a command was given.
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

class MArgList {
public:
    MArgList() = default;
    explicit MArgList(const MStringArray& args) : m_args(args) {}

    unsigned int length(MStatus* status = nullptr) const;
    MString asString(unsigned int index, MStatus* status = nullptr) const;
    int asInt(unsigned int index, MStatus* status = nullptr) const;
    double asDouble(unsigned int index, MStatus* status = nullptr) const;
    bool asBool(unsigned int index, MStatus* status = nullptr) const;
    // The index of the argument that is the flag, or kInvalidArgIndex.
    unsigned int flagIndex(const char* shortFlag, const char* longFlag = nullptr) const;
    MStatus addArg(const MString& arg);

    static const unsigned int kInvalidArgIndex;

private:
    MStringArray m_args;
};
