// Starts the way the program starts, for the single-instance tests: waits for
// a line on its standard input (so that several probes start at the same
// moment), then either stays as the running instance, printing "first" and
// one "message" line per message handed over, until its input closes; or
// hands over its message and exits with 1 (2 when the message did not go out).
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::string go;
    std::getline(std::cin, go);

    SingleInstance instance(app.arguments().value(1));
    if (instance.isRunning())
        return instance.sendMessage(QString(), 5000) ? 1 : 2;

    QObject::connect(&instance, &SingleInstance::messageReceived, [] {
        std::puts("message");
        std::fflush(stdout);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char byte;
        if (read(STDIN_FILENO, &byte, 1) <= 0)
            app.quit();
    });
    std::puts("first");
    std::fflush(stdout);
    return app.exec();
}
