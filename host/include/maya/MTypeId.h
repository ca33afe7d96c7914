#pragma once
// Host API stand-in: a node type's id.

class MTypeId {
public:
    MTypeId() = default;
    MTypeId(unsigned int id) : m_id(id) {} // NOLINT: implicit as in the host API
    MTypeId(unsigned int prefix, unsigned int id) : m_id((prefix << 8) | (id & 0xffu)) {}
    unsigned int id() const { return m_id; }
    bool operator==(const MTypeId& other) const { return m_id == other.m_id; }
    bool operator!=(const MTypeId& other) const { return m_id != other.m_id; }

private:
    unsigned int m_id = 0;
};
