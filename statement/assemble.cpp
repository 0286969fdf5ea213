#include "assemble.h"

#include "failure.h"
#include "rowbuilder.h"
#include "survey.h"

namespace tallyfin::statement {

namespace {

constexpr std::size_t kRecordsPerReport = 2048;
// The survey reads every row but parses few cells; the rows' reading is the larger part.
constexpr double kSurveyShare = 0.35;

// A cancelled reading keeps nothing but the format.
void cancel(Statement &statement)
{
    Format format = std::move(statement.format);
    statement = FailedStatement(MakeFailure(FailureKind::Cancelled));
    statement.format = std::move(format);
}

} // namespace

void Assemble(RecordSource &source, TextStore &store, const Stage &stage, Statement &statement)
{
    Layout layout;
    DataStart data;
    if (!SurveyColumns(source, stage.part(0, kSurveyShare), statement, layout, data)) {
        if (statement.failure->kind == FailureKind::Cancelled)
            cancel(statement);
        return;
    }
    source.rewind(data.mark);
    statement.rows.reserve(data.records);
    RowBuilder builder(layout, statement.columns, store);
    OperationKinds kinds;
    const Stage reading = stage.part(kSurveyShare, 1);
    Record record;
    UnreadableRow problem;
    for (std::size_t count = 1; source.next(record); ++count) {
        if (count % kRecordsPerReport == 0 && !reading.report(source.fraction())) {
            cancel(statement);
            return;
        }
        if (IsBlank(record) || CellAt(record, layout.dateColumn) == layout.dateHeader)
            continue;
        const OperationReading operation = ReadOperation(record, layout.operations, kinds);
        if (std::optional<Row> row = builder.read(record, operation, problem))
            statement.rows.push_back(*row);
        else
            statement.unreadable.push_back(std::move(problem));
    }
    reading.report(1);
}

} // namespace tallyfin::statement
