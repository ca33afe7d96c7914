#pragma once
// Host API stand-in: process-wide host services. The script editor is the terminal.
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

class MSelectionList;
class MIntArray;
class MDoubleArray;

class MGlobal {
public:
    enum ListAdjustment { kReplaceList, kXORWithList, kAddToList, kRemoveFromList };
    enum MMayaState { kInteractive, kBatch, kLibraryApp, kBaseUIMode };

    static void displayInfo(const MString& text);
    static void displayWarning(const MString& text);
    static void displayError(const MString& text);

    // Runs MEL text; the result of the last statement is returned as the overload asks.
    static MStatus executeCommand(const MString& command, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MString& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MStringArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, int& result, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, double& result,
                                  bool displayEnabled = false, bool undoEnabled = false);

    static MString mayaVersion();
    static int apiVersion();
    static MMayaState mayaState(MStatus* status = nullptr);

    static MStatus getActiveSelectionList(MSelectionList& list);
    static MStatus setActiveSelectionList(const MSelectionList& list,
                                          ListAdjustment adjustment = kReplaceList);
    static MStatus selectByName(const MString& name, ListAdjustment adjustment = kAddToList);
};
