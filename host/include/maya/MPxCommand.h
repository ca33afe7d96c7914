#pragma once
// Host API stand-in: base class of commands that plug-ins register.
#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

class MPxCommand {
public:
    MPxCommand() = default;
    virtual ~MPxCommand() = default;
    MPxCommand(const MPxCommand&) = delete;
    MPxCommand& operator=(const MPxCommand&) = delete;

    virtual MStatus doIt(const MArgList& args);
    virtual MStatus undoIt();
    virtual MStatus redoIt();
    virtual bool isUndoable() const;
    virtual bool hasSyntax() const;

    static void displayInfo(const MString& text);
    static void displayWarning(const MString& text);
    static void displayError(const MString& text);

    static void clearResult();
    static void setResult(const MString& result);
    static void setResult(int result);
    static void setResult(double result);
    static void setResult(bool result);
    static void appendToResult(const MString& result);
};
