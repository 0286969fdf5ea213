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

template <typename Name>
std::optional<Name> nextAnswer(std::deque<std::optional<Name>> &answers)
{
    if (answers.empty())
        return std::nullopt;
    const std::optional<Name> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<QString> FakePlatform::saveFileName(QWidget *, const QString &filter)
{
    saveFilters.push_back(filter);
    return nextAnswer(saveAnswers);
}

std::optional<QByteArray> FakePlatform::openFileName(QWidget *, const QString &filter)
{
    openFilters.push_back(filter);
    return nextAnswer(openAnswers);
}

std::optional<QList<QByteArray>> FakePlatform::openFileNames(QWidget *owner, const QString &filter)
{
    if (openManyAnswers.empty())
        return Platform::openFileNames(owner, filter);
    openFilters.push_back(filter);
    return nextAnswer(openManyAnswers);
}

} // namespace tallyfin::testing
