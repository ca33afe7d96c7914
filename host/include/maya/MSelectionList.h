#pragma once
// Host API stand-in: an ordered list of nodes and DAG paths.
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <vector>

class MSelectionList {
public:
    enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };

    MSelectionList() = default;

    unsigned int length(MStatus* status = nullptr) const;
    bool isEmpty(MStatus* status = nullptr) const { return length(status) == 0; }
    MStatus clear();
    // Adds the nodes a name or DAG path names; "*" matches any run of characters.
    MStatus add(const MString& matchString, bool searchChildNamespacesToo = false);
    MStatus add(const MObject& node, bool mergeWithExisting = false);
    MStatus add(const MDagPath& path, const MObject& component = MObject::kNullObj,
                bool mergeWithExisting = false);
    MStatus getDagPath(unsigned int index, MDagPath& path,
                       MObject& component = MObject::kNullObj) const;
    MStatus getDependNode(unsigned int index, MObject& node) const;
    MStatus getSelectionStrings(MStringArray& names) const;

private:
    struct Item {
        MObject node;
        MDagPath path;
        bool dag = false;
    };
    std::vector<Item> m_items;
};
