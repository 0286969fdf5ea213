// The toolkit's floor for the start-up benchmark: the least a Qt 6 Widgets
// program shows, one window with one label and one button.
//   qt_floor          Latin text in Qt's default font
//   qt_floor --cjk    Chinese text in the fonts Tallyfin asks for, to tell
//                     what the Chinese fonts alone cost
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool cjk = QApplication::arguments().contains(QStringLiteral("--cjk"));
    QWidget window;
    if (cjk) {
        // The same list as the program's window font.
        QFont font;
        font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
                          QStringLiteral("Microsoft YaHei"), QStringLiteral("PingFang SC")});
        font.setPixelSize(13);
        window.setFont(font);
    }
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(cjk ? QStringLiteral("买入价格") : QStringLiteral("Qt 6 floor")));
    layout->addWidget(new QPushButton(cjk ? QStringLiteral("计算") : QStringLiteral("OK")));
    window.show();
    return QApplication::exec();
}
