#pragma once
// Host API stand-in: small shared types.

#define MAYA_API_VERSION 450

// Marks what a plug-in library exports: its entry points and MApiVersion.
#define PLUGIN_EXPORT __attribute__((visibility("default")))

class MSpace {
public:
    enum Space {
        kInvalid = 0,
        kTransform = 1,
        kPreTransform = 2,
        kPostTransform = 3,
        kWorld = 4,
        kObject = kPreTransform,
        kLast = 5
    };
};
