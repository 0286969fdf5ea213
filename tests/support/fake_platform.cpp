#include "fake_platform.h"

namespace tallyfin::testing {

void FakePlatform::showValidationBox(QWidget *owner, const QString &text)
{
    boxes.push_back({BoxKind::Validation, owner, QStringLiteral("错误"), text});
    if (onBox)
        onBox(boxes.back());
}

void FakePlatform::showErrorBox(const QString &text)
{
    boxes.push_back({BoxKind::Error, nullptr, QString(), text});
    if (onBox)
        onBox(boxes.back());
}

std::optional<QRgb> FakePlatform::screenPixel(QPoint position)
{
    pixelReads.push_back(position);
    if (!screen.rect().contains(position))
        return std::nullopt;
    return screen.pixel(position);
}

QImage FakePlatform::grabScreen(QRect area)
{
    grabs.push_back(area);
    return screen.copy(area);
}

namespace {

std::optional<QString> nextAnswer(std::deque<std::optional<QString>> &answers)
{
    if (answers.empty())
        return std::nullopt;
    const QString name = answers.front().value_or(QString());
    const bool confirmed = answers.front().has_value();
    answers.pop_front();
    if (!confirmed)
        return std::nullopt;
    return name;
}

} // namespace

std::optional<QString> FakePlatform::saveFileName(QWidget *, const QString &filter)
{
    saveFilters.push_back(filter);
    return nextAnswer(saveAnswers);
}

std::optional<QString> FakePlatform::openFileName(QWidget *, const QString &filter)
{
    openFilters.push_back(filter);
    return nextAnswer(openAnswers);
}

} // namespace tallyfin::testing
