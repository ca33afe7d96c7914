#pragma once
// Host API stand-in: scene-wide events. The host sends kBeforeNew when it empties the scene,
// kBeforeOpen before it opens a file, and kMayaExiting before it unloads its plug-ins at exit.
#include <maya/MMessage.h>

class MSceneMessage : public MMessage {
public:
    enum Message {
        kSceneUpdate = 0,
        kBeforeNew = 1,
        kAfterNew = 2,
        kBeforeImport = 3,
        kAfterImport = 4,
        kBeforeOpen = 5,
        kAfterOpen = 6,
        kBeforeExport = 7,
        kAfterExport = 8,
        kBeforeSave = 9,
        kAfterSave = 10,
        kBeforeReference = 11,
        kAfterReference = 12,
        kBeforeRemoveReference = 13,
        kAfterRemoveReference = 14,
        kBeforeImportReference = 15,
        kAfterImportReference = 16,
        kBeforeExportReference = 17,
        kAfterExportReference = 18,
        kBeforeUnloadReference = 19,
        kAfterUnloadReference = 20,
        kBeforeLoadReference = 21,
        kAfterLoadReference = 22,
        kBeforeSoftwareRender = 23,
        kAfterSoftwareRender = 24,
        kMayaExiting = 25,
        kLast
    };

    static MCallbackId addCallback(Message message, MBasicFunction function,
                                   void* clientData = nullptr, MStatus* status = nullptr);
};
