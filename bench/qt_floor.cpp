// The toolkit's floor for the start-up benchmark: the least a Qt 6 Widgets
// program shows.
//   qt_floor          one window with one label and one button, Latin text in
//                     Qt's default font
//   qt_floor --cjk    one window showing one Chinese label, in Qt's default
//                     font (fontconfig supplies the Chinese glyphs)
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (QApplication::arguments().contains(QStringLiteral("--cjk"))) {
        window = std::make_unique<QLabel>(QStringLiteral("买入价格"));
    } else {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(new QLabel(QStringLiteral("Qt 6 floor")));
        layout->addWidget(new QPushButton(QStringLiteral("OK")));
    }
    window->show();
    return QApplication::exec();
}
