// A desktop panel's StatusNotifier watcher and host, as much of it as a tray
// item uses, on the session bus it is started with. Prints "item <service>"
// for each item that registers, so that a shell test can call the item.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QTextStream>

#include <cstdio>

class Watcher : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit Watcher(QObject *parent) : QDBusAbstractAdaptor(parent) {}
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items;

public slots:
    void RegisterStatusNotifierItem(const QString &service)
    {
        items << service;
        std::printf("item %s\n", qPrintable(service));
        std::fflush(stdout);
    }
    void RegisterStatusNotifierHost(const QString &) {}
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QObject root;
    new Watcher(&root);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &root)
        || !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "status_notifier_watcher: cannot take the watcher's name\n");
        return 1;
    }
    std::printf("watching\n");
    std::fflush(stdout);
    return app.exec();
}

#include "status_notifier_watcher.moc"
