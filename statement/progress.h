#pragma once

#include "statement.h"

namespace tallyfin::statement {

// One stage of the reading: its own fraction 0 … 1 reported as a part
// [from, to] of the whole. report() is false once the caller cancelled.
class Stage {
public:
    Stage(const Progress &progress, double from, double to) : m_progress(&progress), m_from(from), m_to(to) {}

    bool report(double fraction) const
    {
        return !*m_progress || (*m_progress)(m_from + (m_to - m_from) * fraction);
    }

    Stage part(double from, double to) const
    {
        return {*m_progress, m_from + (m_to - m_from) * from, m_from + (m_to - m_from) * to};
    }

private:
    const Progress *m_progress;
    double m_from, m_to;
};

} // namespace tallyfin::statement
