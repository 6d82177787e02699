// Runs the UI's Qt Quick tests against the documents compiled into the
// program's resources, with a recording bridge as "ui_View" and "ui_Ctl".
#include "fake_bridge.h"
#include "macros/encoding/macro_images_qml.h"
#include "ui/keyboard_ui_types.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        registerMacroImagesForQml();
        registerKeyboardUiTypes();
        engine->rootContext()->setContextProperty("ui_View", &m_view);
        engine->rootContext()->setContextProperty("ui_Ctl", &m_ctl);
    }

private:
    FakeBridge m_view;
    FakeBridge m_ctl;
};

QUICK_TEST_MAIN_WITH_SETUP(gearconsole_ui, Setup)

#include "main.moc"
