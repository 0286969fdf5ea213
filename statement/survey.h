#pragma once

#include "layout.h"
#include "progress.h"
#include "records.h"
#include "statement.h"

namespace tallyfin::statement {

// Where the rows after the header start, and how many records follow.
struct DataStart {
    RecordSource::Mark mark;
    std::size_t records = 0;
};

// Finds the header row (within the first few hundred records that are not
// blank), then reads the rows after it once to choose between columns that
// could mean one thing. Fills statement.format's header line and separator,
// statement.columns and statement.choices; false with statement.failure set
// when there is no header or the caller cancelled.
bool SurveyColumns(RecordSource &source, const Stage &stage, Statement &statement, Layout &layout, DataStart &data);

} // namespace tallyfin::statement
