#pragma once

#include "progress.h"
#include "records.h"
#include "statement.h"
#include "textstore.h"

namespace tallyfin::statement {

// Reads the statement in `source` into `statement`: finds the header row,
// gives each column its role (choosing by the rows' arithmetic where two
// columns could mean one thing), and reads every row after it as a trade,
// another row, or an unreadable one. The rows' texts are kept in `store`.
// Sets statement.failure when there is no header or the caller cancelled.
void Assemble(RecordSource &source, TextStore &store, const Stage &stage, Statement &statement);

} // namespace tallyfin::statement
