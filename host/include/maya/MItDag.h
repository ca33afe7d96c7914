#pragma once
// Host API stand-in: walks the DAG depth first (pre-order), visiting an instanced node once
// per path. The world is the first item, at depth 0.
#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <vector>

class MItDag {
public:
    enum TraversalType { kInvalidType = 0, kDepthFirst, kBreadthFirst };

    MItDag(TraversalType type = kDepthFirst, MFn::Type filter = MFn::kInvalid,
           MStatus* status = nullptr);

    MStatus reset();
    MStatus reset(const MObject& root, TraversalType type = kDepthFirst,
                  MFn::Type filter = MFn::kInvalid);
    MStatus reset(const MDagPath& root, TraversalType type = kDepthFirst,
                  MFn::Type filter = MFn::kInvalid);
    MStatus next();
    bool isDone(MStatus* status = nullptr) const;
    MObject item(MStatus* status = nullptr);
    MObject currentItem(MStatus* status = nullptr) { return item(status); }
    MStatus getPath(MDagPath& path) const;
    unsigned int depth(MStatus* status = nullptr) const;
    // Skips the children of the current item.
    MStatus prune();
    MString fullPathName(MStatus* status = nullptr) const;
    MString partialPathName(MStatus* status = nullptr) const;

private:
    void advance();
    bool matches() const;
    void skipToMatch();

    MDagPath m_root;
    MFn::Type m_filter = MFn::kInvalid;
    // Pending paths, the next one last; each with the index of the child to visit next.
    std::vector<MDagPath> m_stack;
    MDagPath m_current;
    bool m_done = true;
    bool m_pruned = false;
};
