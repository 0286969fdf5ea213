#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The rows of a file as cells of text, whatever the file's kind.
namespace tallyfin::statement {

struct Record {
    int line = 0; // 1-based line (the first, for a quoted cell over several), or the sheet's row
    std::span<const std::string_view> cells;
    // The file ends inside this record: no line end after it.
    bool unterminated = false;
};

class RecordSource {
public:
    virtual ~RecordSource() = default;

    // The next record, valid until the next call; false at the end.
    virtual bool next(Record &record) = 0;

    // Where the next record starts, to come back to with rewind().
    struct Mark {
        std::uint64_t offset = 0;
        int line = 0;
    };
    virtual Mark mark() const = 0;
    virtual void rewind(Mark mark) = 0;

    // From here on, cells are separated by `separator` (text files only; until
    // then each line is split at tabs if it has any, else at commas).
    virtual void fixSeparator(char separator) = 0;
    virtual char separatorOf(const Record &record) const = 0;

    // How far the records read so far reach into the source, 0 … 1.
    virtual double fraction() const = 0;
};

} // namespace tallyfin::statement
