#pragma once

#include <string>

#include "statement.h"

namespace tallyfin::statement {

inline Failure MakeFailure(FailureKind kind, std::string detail = {})
{
    Failure failure;
    failure.kind = kind;
    failure.detail = std::move(detail);
    return failure;
}

inline Statement FailedStatement(Failure failure, FileKind kind = FileKind::Text)
{
    Statement statement;
    statement.failure = std::move(failure);
    statement.format.kind = kind;
    return statement;
}

} // namespace tallyfin::statement
