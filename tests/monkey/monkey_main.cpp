// Entry point of the monkey test: an offscreen application whose event
// dispatch records any exception a handler let escape (the program itself
// has no such net: there it would end the program), and the walk's
// settings from the command line as well as from the environment.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <exception>
#include <typeinfo>

#include "escapes.h"

namespace tallyfin::testing {

std::vector<EscapedException> &escapedExceptions()
{
    static std::vector<EscapedException> escaped;
    return escaped;
}

} // namespace tallyfin::testing

namespace {

class GuardedApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            record(receiver, event, std::string(typeid(error).name()) + ": " + error.what());
        } catch (...) {
            record(receiver, event, "an exception of unknown type");
        }
        return false;
    }

private:
    static void record(QObject *receiver, QEvent *event, std::string what)
    {
        std::string name = receiver ? receiver->metaObject()->className() : "nothing";
        if (receiver && !receiver->objectName().isEmpty())
            name += " " + receiver->objectName().toStdString();
        tallyfin::testing::escapedExceptions().push_back({std::move(what), std::move(name), int(event->type())});
    }
};

// --seed=N, --actions=N and --seconds=N stand for the environment variables
// TALLYFIN_MONKEY_SEED, TALLYFIN_MONKEY_ACTIONS and TALLYFIN_MONKEY_SECONDS.
void readWalkArguments(int argc, char *argv[])
{
    const struct {
        const char *option;
        const char *variable;
    } options[] = {{"--seed=", "TALLYFIN_MONKEY_SEED"},
                   {"--actions=", "TALLYFIN_MONKEY_ACTIONS"},
                   {"--seconds=", "TALLYFIN_MONKEY_SECONDS"}};
    for (int i = 1; i < argc; ++i)
        for (const auto &[option, variable] : options)
            if (std::strncmp(argv[i], option, std::strlen(option)) == 0)
                qputenv(variable, argv[i] + std::strlen(option));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    readWalkArguments(argc, argv);
    // No walk touches the user's settings: the configuration folder is a temporary one.
    const QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    // Nor the user's account store: the data folder is a temporary one too.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    testing::InitGoogleTest(&argc, argv);
    GuardedApplication app(argc, argv);
    // As the program: hiding the main window while a tool is open must not
    // end anything.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
