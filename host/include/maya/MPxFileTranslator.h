#pragma once
// Host API stand-in: base class of file translators that plug-ins register.
#include <maya/MFileObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MPxFileTranslator {
public:
    enum MFileKind { kIsMyFileType, kCouldBeMyFileType, kNotMyFileType };
    enum FileAccessMode {
        kUnknownAccessMode = 0,
        kOpenAccessMode,
        kSaveAccessMode,
        kImportAccessMode,
        kExportAccessMode,
        kExportActiveAccessMode
    };

    MPxFileTranslator() = default;
    MPxFileTranslator(const MPxFileTranslator&) = delete;
    MPxFileTranslator& operator=(const MPxFileTranslator&) = delete;

    // Virtual operations in the host's order.
    virtual ~MPxFileTranslator() = default;
    virtual MStatus reader(const MFileObject& file, const MString& optionsString,
                           FileAccessMode mode);
    virtual MStatus writer(const MFileObject& file, const MString& optionsString,
                           FileAccessMode mode);
    virtual bool haveReadMethod() const;
    virtual bool haveWriteMethod() const;
    virtual MString defaultExtension() const;
    virtual bool canBeOpened() const;
    virtual MFileKind identifyFile(const MFileObject& file, const char* buffer, short size) const;
};
