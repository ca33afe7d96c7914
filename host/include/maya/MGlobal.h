#pragma once
// Host API stand-in: process-wide host services. The script editor is the terminal.
#include <maya/MStatus.h>
#include <maya/MString.h>

class MGlobal {
public:
    static void displayInfo(const MString& text);
    static void displayWarning(const MString& text);
    static void displayError(const MString& text);
};
